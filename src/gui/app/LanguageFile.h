// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Language.txt decides the interface language at start-up: only the first
// five bytes of its first line count, compared exactly.
namespace LanguageFile {

constexpr const char *kFileName = "Language.txt";

// The translation the file selects (see Translations::forLanguageLine);
// empty for English, which a missing or unreadable file gives silently.
QString readLanguage(const QString &folder);

// 1 (Chinese) when the file selects the Chinese translation, else 0.
int readUiLanguage(const QString &folder);

// First line of the file, at most 99 bytes, without its line feed.
QByteArray readFirstLine(const QString &path);

} // namespace LanguageFile
