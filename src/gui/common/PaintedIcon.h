// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QSize>

#include <functional>

class QPainter;

// Pictures are drawn in code rather than shipped as bitmaps so they stay
// crisp at any device pixel ratio: the painter function is run at the size
// the style asks for, in device pixels.
using PictureFunction = std::function<void(QPainter &painter, const QSizeF &size)>;

namespace PaintedIcon {

// An icon whose pixmaps are rendered on demand by draw; designSize is the
// size the picture was designed for (it keeps its aspect ratio when scaled).
QIcon make(PictureFunction draw, QSize designSize);

// One rendering at logical size designSize for the given pixel ratio.
QPixmap render(const PictureFunction &draw, QSize designSize, qreal devicePixelRatio);

} // namespace PaintedIcon
