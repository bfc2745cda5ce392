// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The captions of the tools' windows: every message box a tool shows is
// titled with its window's caption. The launcher's pictures carry the tools'
// longer names.
namespace ToolNames {

QString editor();    // "File Editor" (坐标编辑器)
QString converter(); // "GSIToDXF", in both languages

} // namespace ToolNames
