// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/Pictures.h"

#include "gui/common/Translations.h"

#include <QCoreApplication>

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kCream(0xff, 0xfb, 0xe8);
const QColor kInk(0x20, 0x30, 0x48);
const QColor kAccent(0x1f, 0x6f, 0xb5);

QFont captionFont(qreal pixelSize, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans"), QStringLiteral("Noto Sans CJK SC"),
                   QStringLiteral("DejaVu Sans"), QStringLiteral("Microsoft YaHei")});
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void panelBackground(QPainter &p, const QSizeF &s)
{
    QLinearGradient g(0, 0, 0, s.height());
    g.setColorAt(0, QColor(0xf6, 0xf9, 0xfd));
    g.setColorAt(1, QColor(0xdc, 0xe7, 0xf3));
    p.setPen(QPen(QColor(0x9d, 0xb4, 0xcc), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, s.width() - 1, s.height() - 1), 5, 5);
}

// A total station on a tripod head: the instrument the manager talks to.
void drawTotalStation(QPainter &p, const QRectF &r)
{
    const qreal u = r.height() / 10;
    p.setPen(QPen(kInk, u * 0.35));
    p.setBrush(QColor(0xf2, 0xc2, 0x30));
    p.drawRect(QRectF(r.left() + 2 * u, r.top() + 2 * u, 4 * u, 4.5 * u)); // body
    p.setBrush(QColor(0x50, 0x5a, 0x66));
    p.drawRect(QRectF(r.left() + 1 * u, r.top() + 3 * u, 1.2 * u, 2 * u));   // lens
    p.drawRect(QRectF(r.left() + 3 * u, r.top() + 0.8 * u, 2 * u, 1.2 * u)); // handle
    p.setBrush(kInk);
    p.drawRect(QRectF(r.left() + 2.5 * u, r.top() + 6.5 * u, 3 * u, 0.8 * u)); // base
    p.drawLine(QPointF(r.left() + 4 * u, r.top() + 7.3 * u),
               QPointF(r.left() + 1.5 * u, r.bottom()));
    p.drawLine(QPointF(r.left() + 4 * u, r.top() + 7.3 * u),
               QPointF(r.left() + 6.5 * u, r.bottom()));
}

void drawMonitor(QPainter &p, const QRectF &r)
{
    const qreal u = r.height() / 10;
    p.setPen(QPen(kInk, u * 0.35));
    p.setBrush(QColor(0xcf, 0xe6, 0xff));
    p.drawRoundedRect(QRectF(r.left(), r.top() + 1.5 * u, 7 * u, 5 * u), u * 0.5, u * 0.5);
    p.setBrush(kInk);
    p.drawRect(QRectF(r.left() + 3 * u, r.top() + 6.5 * u, u, 1.5 * u));
    p.drawRect(QRectF(r.left() + 1.5 * u, r.top() + 8 * u, 4 * u, 0.6 * u));
}

void drawExchangeArrows(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(kAccent, r.height() / 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal y1 = r.top() + r.height() * 0.35, y2 = r.top() + r.height() * 0.65;
    const qreal h = r.height() * 0.15;
    p.drawLine(QPointF(r.left(), y1), QPointF(r.right(), y1));
    p.drawPolyline(QPolygonF({{r.right() - h, y1 - h}, {r.right(), y1}, {r.right() - h, y1 + h}}));
    p.drawLine(QPointF(r.right(), y2), QPointF(r.left(), y2));
    p.drawPolyline(QPolygonF({{r.left() + h, y2 - h}, {r.left(), y2}, {r.left() + h, y2 + h}}));
}

void drawGridWithPencil(QPainter &p, const QRectF &r)
{
    const qreal u = r.height() / 10;
    const QRectF sheet(r.left(), r.top() + u, 7 * u, 8 * u);
    p.setPen(QPen(kInk, u * 0.3));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setPen(QPen(QColor(0x7d, 0x93, 0xab), u * 0.2));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(sheet.left(), sheet.top() + i * 2 * u),
                   QPointF(sheet.right(), sheet.top() + i * 2 * u));
    p.drawLine(QPointF(sheet.left() + 2.3 * u, sheet.top()),
               QPointF(sheet.left() + 2.3 * u, sheet.bottom()));
    p.save();
    p.translate(r.left() + 8.2 * u, r.top() + 2 * u);
    p.rotate(35);
    p.setPen(QPen(kInk, u * 0.25));
    p.setBrush(QColor(0xf0, 0x9a, 0x2a));
    p.drawRect(QRectF(-0.6 * u, 0, 1.2 * u, 5.5 * u));
    p.setBrush(QColor(0xf5, 0xd7, 0xa8));
    p.drawPolygon(QPolygonF({{-0.6 * u, 5.5 * u}, {0.6 * u, 5.5 * u}, {0, 7 * u}}));
    p.restore();
}

void drawDrawingSheet(QPainter &p, const QRectF &r)
{
    const qreal u = r.height() / 10;
    p.setPen(QPen(kInk, u * 0.3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(r.left(), r.top() + u, 8 * u, 8 * u));
    p.setPen(QPen(kAccent, u * 0.35));
    const QPolygonF line({{r.left() + 1.2 * u, r.top() + 7.5 * u},
                          {r.left() + 3 * u, r.top() + 4 * u},
                          {r.left() + 5.5 * u, r.top() + 5.5 * u},
                          {r.left() + 7 * u, r.top() + 2.5 * u}});
    p.drawPolyline(line);
    p.setBrush(QColor(0xd0, 0x30, 0x30));
    p.setPen(Qt::NoPen);
    for (const QPointF &pt : line)
        p.drawEllipse(pt, 0.55 * u, 0.55 * u);
}

void drawCaption(QPainter &p, const QRectF &r, const QString &text, qreal pixelSize, bool bold,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    QFont f = captionFont(pixelSize, bold);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(r, int(align) | Qt::TextWordWrap, text);
}

// Chinese captions are short and read better a pixel larger.
int captionPixels()
{
    return Translations::isChinese() ? 14 : 13;
}

void launcherManager(QPainter &p, const QSizeF &s, const QString &caption, int captionSize)
{
    panelBackground(p, s);
    const qreal h = s.height();
    drawTotalStation(p, QRectF(6, h * 0.12, h * 0.45, h * 0.55));
    drawExchangeArrows(p, QRectF(6 + h * 0.42, h * 0.18, h * 0.28, h * 0.4));
    drawMonitor(p, QRectF(6 + h * 0.74, h * 0.12, h * 0.45, h * 0.55));
    const QRectF text(4, h * 0.66, s.width() - 8, h * 0.32);
    drawCaption(p, text, caption, captionSize, true, Qt::AlignCenter);
    drawCaption(p, QRectF(6 + h * 1.25, h * 0.1, s.width() - h * 1.3 - 8, h * 0.55),
                QStringLiteral("RQT-318 \u21c4 PC"), 11, false, Qt::AlignCenter);
}

void launcherEditor(QPainter &p, const QSizeF &s, const QString &caption, int captionSize)
{
    panelBackground(p, s);
    const qreal h = s.height();
    drawGridWithPencil(p, QRectF(8, h * 0.1, h * 0.6, h * 0.6));
    drawCaption(p, QRectF(8 + h * 0.75, h * 0.1, s.width() - h * 0.8 - 12, h * 0.55),
                QStringLiteral("Y  X  H"), 12, false, Qt::AlignCenter);
    drawCaption(p, QRectF(4, h * 0.66, s.width() - 8, h * 0.32), caption, captionSize, true,
                Qt::AlignCenter);
}

void launcherConverter(QPainter &p, const QSizeF &s)
{
    panelBackground(p, s);
    const qreal h = s.height();
    drawDrawingSheet(p, QRectF(8, h * 0.1, h * 0.8, h * 0.8));
    const QRectF right(14 + h * 0.8, 2, s.width() - h * 0.8 - 18, h - 4);
    drawCaption(p, QRectF(right.left(), right.top(), right.width(), right.height() * 0.55),
                QStringLiteral("TO DXF"), 19, true, Qt::AlignCenter);
    drawCaption(p,
                QRectF(right.left(), right.top() + right.height() * 0.5, right.width(),
                       right.height() * 0.45),
                QStringLiteral("Gsi To Dxf"), 13, false, Qt::AlignCenter);
}

// Tool button pictures sit on the light cream of the old button bitmaps.
void toolBackground(QPainter &p, const QSizeF &s)
{
    p.fillRect(QRectF(QPointF(0, 0), s), kCream);
}

void toolSheets(QPainter &p, const QSizeF &s)
{
    toolBackground(p, s);
    const qreal w = s.width() * 0.55, h = s.height() * 0.62;
    p.setPen(QPen(kInk, 1));
    for (int i = 0; i < 2; ++i) {
        const QRectF r(2 + i * s.width() * 0.28, 2 + i * s.height() * 0.27, w, h);
        p.setBrush(i == 0 ? QColor(0xe4, 0xee, 0xf8) : Qt::white);
        p.drawRect(r);
        p.setPen(QPen(QColor(0x7d, 0x93, 0xab), 0.8));
        for (int k = 1; k < 4; ++k)
            p.drawLine(QPointF(r.left() + 2, r.top() + k * h / 4),
                       QPointF(r.right() - 2, r.top() + k * h / 4));
        p.setPen(QPen(kInk, 1));
    }
}

void toolCross(QPainter &p, const QSizeF &s)
{
    toolBackground(p, s);
    const qreal m = 3, side = s.width() - 2 * m;
    const QRectF r(m, (s.height() - side) / 2, side, side);
    p.setPen(QPen(QColor(0xd0, 0x1c, 0x1c), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void toolDevice(QPainter &p, const QSizeF &s)
{
    toolBackground(p, s);
    const QRectF body(2.5, 3.5, s.width() - 5, s.height() - 7);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(QColor(0xb8, 0xbc, 0xc0));
    p.drawRoundedRect(body, 2, 2);
    p.setBrush(QColor(0x9c, 0xd4, 0x8c));
    p.drawRect(QRectF(body.left() + 2, body.top() + 2, body.width() - 4, body.height() * 0.35));
    p.setBrush(QColor(0x60, 0x64, 0x68));
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRect(QRectF(body.left() + 2.5 + c * (body.width() - 5) / 3,
                              body.top() + body.height() * 0.5 + r * body.height() * 0.22,
                              (body.width() - 5) / 3 - 1.5, body.height() * 0.14));
}

void treeBackground(QPainter &p, const QSizeF &s)
{
    p.fillRect(QRectF(QPointF(0, 0), s), Qt::white);
}

void treePlug(QPainter &p, const QSizeF &s)
{
    treeBackground(p, s);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable;
    cable.moveTo(1, 13);
    cable.cubicTo(5, 15, 6, 9, 9, 8);
    p.drawPath(cable);
    p.setPen(QPen(QColor(0x20, 0x30, 0x50), 1));
    p.setBrush(QColor(0x5a, 0x78, 0xa8));
    // D-sub shell: a trapezoid, as on a serial cable
    p.drawPolygon(QPolygonF({{9, 3}, {19, 3.5}, {18, 12.5}, {9, 13}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xd0, 0x50));
    for (int i = 0; i < 3; ++i) {
        p.drawEllipse(QPointF(12 + i * 2.5, 6.5), 0.8, 0.8);
        p.drawEllipse(QPointF(13 + i * 2.0, 9.5), 0.8, 0.8);
    }
}

void treeFolder(QPainter &p, const QSizeF &s)
{
    treeBackground(p, s);
    p.setPen(QPen(QColor(0x9a, 0x72, 0x10), 1));
    p.setBrush(QColor(0xf5, 0xc8, 0x42));
    p.drawPolygon(
        QPolygonF({{2.5, 3.5}, {8, 3.5}, {9.5, 5}, {17.5, 5}, {17.5, 13.5}, {2.5, 13.5}}));
    p.setBrush(QColor(0xfb, 0xdc, 0x6e));
    p.drawPolygon(QPolygonF({{2.5, 13.5}, {4.5, 7}, {19.5, 7}, {17.5, 13.5}}));
}

void treeDocument(QPainter &p, const QSizeF &s)
{
    treeBackground(p, s);
    p.setPen(QPen(QColor(0x1a, 0x4a, 0x90), 1));
    p.setBrush(QColor(0xd6, 0xe6, 0xfa));
    p.drawPolygon(QPolygonF({{5.5, 1.5}, {12, 1.5}, {15.5, 5}, {15.5, 14.5}, {5.5, 14.5}}));
    p.setPen(QPen(QColor(0x2a, 0x6a, 0xc0), 1));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(7.5, 7.5 + i * 2.2), QPointF(13.5, 7.5 + i * 2.2));
}

} // namespace

namespace Pictures {

QSize launcherSize(Launcher which)
{
    const bool zh = Translations::isChinese();
    switch (which) {
    case Launcher::Manager:
        return zh ? QSize(177, 58) : QSize(173, 60);
    case Launcher::Editor:
        return zh ? QSize(177, 60) : QSize(173, 63);
    case Launcher::Converter:
        return QSize(184, 65);
    }
    return QSize();
}

PictureFunction launcher(Launcher which)
{
    // The caption is taken now, so a picture keeps the language it was made in.
    const int size = captionPixels();
    switch (which) {
    case Launcher::Manager:
        return [caption = QCoreApplication::translate("Pictures", "Data Exchange Manager"),
                size](QPainter &p, const QSizeF &s) {
            launcherManager(p, s, caption, size);
        };
    case Launcher::Editor:
        return [caption = QCoreApplication::translate("Pictures", "Coordinate Editor"),
                size](QPainter &p, const QSizeF &s) {
            launcherEditor(p, s, caption, size);
        };
    case Launcher::Converter:
        return launcherConverter;
    }
    return {};
}

QIcon launcherIcon(Launcher which)
{
    return PaintedIcon::make(launcher(which), launcherSize(which));
}

QSize toolSize(Tool which)
{
    switch (which) {
    case Tool::Sheets:
        return QSize(18, 19);
    case Tool::Cross:
        return QSize(19, 25);
    case Tool::Device:
        return QSize(19, 23);
    }
    return QSize();
}

QIcon toolIcon(Tool which)
{
    switch (which) {
    case Tool::Sheets:
        return PaintedIcon::make(toolSheets, toolSize(which));
    case Tool::Cross:
        return PaintedIcon::make(toolCross, toolSize(which));
    case Tool::Device:
        return PaintedIcon::make(toolDevice, toolSize(which));
    }
    return QIcon();
}

QIcon treeIcon(Tree which)
{
    switch (which) {
    case Tree::Plug:
        return PaintedIcon::make(treePlug, treeSize());
    case Tree::Folder:
        return PaintedIcon::make(treeFolder, treeSize());
    case Tree::Document:
        return PaintedIcon::make(treeDocument, treeSize());
    }
    return QIcon();
}

QIcon applicationIcon()
{
    return PaintedIcon::make(
        [](QPainter &p, const QSizeF &s) {
            p.setPen(Qt::NoPen);
            p.setBrush(kAccent);
            p.drawRoundedRect(QRectF(QPointF(0, 0), s), s.width() * 0.18, s.width() * 0.18);
            drawTotalStation(
                p, QRectF(s.width() * 0.12, s.height() * 0.1, s.width() * 0.7, s.height() * 0.8));
        },
        QSize(32, 32));
}

} // namespace Pictures
