// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Turns a job name (or any typed name) into a file name that stays inside the
// chosen folder on Windows and Linux alike: path separators, characters Windows
// forbids, control characters and leading dots become "_", trailing dots and
// blanks go, and names Windows reserves for devices (CON, NUL, COM1, ...) get
// a leading "_".
namespace SafeFileName {

QString fromName(const QString &name);

} // namespace SafeFileName
