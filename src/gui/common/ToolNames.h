// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The names of the three tools, one text each: the launcher's buttons show
// them, the tools' windows take them as their titles, and every message box a
// tool shows is titled with its window's name.
namespace ToolNames {

QString manager();   // "Data Exchange Manager"
QString editor();    // "Coordinate Editor"
QString converter(); // "GSI to DXF"

} // namespace ToolNames
