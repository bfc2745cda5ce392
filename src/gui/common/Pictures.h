// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/common/PaintedIcon.h"

#include <QIcon>
#include <QSize>

// The program's own pictures: launcher buttons, the manager's tool buttons and
// the instrument tree's images. Each is drawn with QPainter at its design size.
namespace Pictures {

enum class Launcher { Manager, Editor, Converter };
enum class Tool { Sheets, Cross, Device };
enum class Tree { Plug, Folder, Document };

// Launcher pictures follow the installed translation (the caption is drawn
// into them), except the converter's, which is the same in every language.
QSize launcherSize(Launcher which);
PictureFunction launcher(Launcher which);
QIcon launcherIcon(Launcher which);

QSize toolSize(Tool which);
QIcon toolIcon(Tool which);

// 20 x 16, white background as the instrument tree's image list expects.
inline QSize treeSize()
{
    return QSize(20, 16);
}
QIcon treeIcon(Tree which);

QIcon applicationIcon();

} // namespace Pictures
