// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlanRenderer.h"

#include "plot/PlanViewport.h"
#include "plot/PlotPoints.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int kLabelGap = 3; // pixels between a cross and its label

bool fastImage(QPainter &painter, QImage **image)
{
    QPaintDevice *device = painter.device();
    if (!device || device->devType() != QInternal::Image || !painter.transform().isIdentity())
        return false;
    auto *target = static_cast<QImage *>(device);
    const QImage::Format f = target->format();
    if (f != QImage::Format_ARGB32_Premultiplied && f != QImage::Format_RGB32 &&
        f != QImage::Format_ARGB32)
        return false;
    *image = target;
    return true;
}

// Where a station's triangle and its name (metrics of the bold font) go: the
// name to the upper right.
std::vector<QRectF> stationRects(const QFontMetricsF &metrics, const PlanViewport &view,
                                 const std::vector<PlanStation> &stations)
{
    std::vector<QRectF> rects;
    const double r = PlanRenderer::kStationRadius;
    for (const PlanStation &s : stations) {
        const QPointF p = view.toScreen(s.east, s.north);
        rects.emplace_back(p.x() - r, p.y() - r, 2 * r, 2 * r);
        if (!s.name.isEmpty())
            rects.emplace_back(p.x() + r + 1, p.y() - r - metrics.height(),
                               metrics.horizontalAdvance(s.name) + 2, metrics.height());
    }
    return rects;
}

} // namespace

QRectF PlanRenderer::withStations(const QRectF &extent, bool hasPoints,
                                  const std::vector<PlanStation> &stations)
{
    if (stations.empty())
        return extent;
    // Not QRectF::united: it drops an extent of one point, which has no size.
    double left = hasPoints ? extent.left() : stations.front().east;
    double right = hasPoints ? extent.right() : left;
    double bottom = hasPoints ? extent.top() : stations.front().north;
    double top = hasPoints ? extent.bottom() : bottom;
    for (const PlanStation &s : stations) {
        left = std::min(left, s.east);
        right = std::max(right, s.east);
        bottom = std::min(bottom, s.north);
        top = std::max(top, s.north);
    }
    return QRectF(QPointF(left, bottom), QPointF(right, top));
}

void PlanRenderer::drawStations(QPainter &painter, const PlanViewport &view, const PlanStyle &style)
{
    if (style.stations.empty())
        return;
    const QRectF bounds = QRectF(QPointF(0, 0), view.size()).adjusted(-20, -20, 20, 20);
    const double r = kStationRadius;
    painter.setRenderHint(QPainter::Antialiasing, true);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    for (const PlanStation &s : style.stations) {
        const QPointF p = view.toScreen(s.east, s.north);
        if (!bounds.contains(p))
            continue;
        // The surveyor's station mark: an open triangle with a dot on the point.
        QPainterPath triangle;
        triangle.moveTo(p.x(), p.y() - r);
        triangle.lineTo(p.x() + r * 0.866, p.y() + r * 0.5);
        triangle.lineTo(p.x() - r * 0.866, p.y() + r * 0.5);
        triangle.closeSubpath();
        painter.setPen(QPen(style.station, 1.8));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(triangle);
        painter.setPen(Qt::NoPen);
        painter.setBrush(style.station);
        painter.drawEllipse(p, 1.6, 1.6);
        if (!s.name.isEmpty()) {
            painter.setPen(style.station);
            painter.drawText(QPointF(p.x() + r + 2, p.y() - r - 3), s.name);
        }
    }
    painter.setBrush(Qt::NoBrush);
    bold.setBold(false);
    painter.setFont(bold);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void PlanRenderer::render(QPainter &painter, const PlotPoints &points, const PlanViewport &view,
                          const PlanStyle &style, const std::vector<qsizetype> &selected,
                          const NameOf &nameOf)
{
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), view.size()), style.background);
    QImage *image = nullptr;
    if (fastImage(painter, &image))
        drawMarksFast(painter, points, view, style, nullptr, style.point);
    else
        drawMarks(painter, points, view, style);
    drawSelected(painter, points, view, style, selected);
    if (style.labels && nameOf)
        drawLabels(painter, points, view, style, selected, nameOf);
    drawStations(painter, view, style);
    drawScaleBar(painter, view, style);
    drawNorthArrow(painter, view, style);
    if (!style.note.isEmpty()) {
        painter.setPen(style.text);
        const QFontMetricsF metrics(painter.font(), painter.device());
        const QRectF area = noteRect(metrics, view.size(), style.note).adjusted(6, 0, -8, -8);
        painter.drawText(area, Qt::AlignRight | Qt::AlignBottom,
                         metrics.elidedText(style.note, Qt::ElideRight, area.width()));
    }
    painter.restore();
}

QRectF PlanRenderer::noteRect(const QFontMetricsF &metrics, const QSizeF &size, const QString &note)
{
    const double width = std::min(metrics.horizontalAdvance(note) + 14, size.width());
    const double height = metrics.height() + 12;
    // Beside the scale bar where there is room, above it where there is not.
    const double bottom = size.width() - width < kScaleBarBand.width()
                              ? size.height() - kScaleBarBand.height()
                              : size.height();
    return QRectF(size.width() - width, bottom - height, width, height);
}

void PlanRenderer::drawMarksFast(QPainter &painter, const PlotPoints &points,
                                 const PlanViewport &view, const PlanStyle &style,
                                 const std::vector<qsizetype> *rows, const QColor &colour)
{
    QImage &image = *static_cast<QImage *>(painter.device());
    const double ratio = image.devicePixelRatio();
    const int width = image.width();
    const int height = image.height();
    const int r = std::max(1, int(std::lround(style.markRadius * ratio)));
    const quint32 argb = colour.rgba() | 0xFF000000u;
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    // One multiply-add per axis and point: the viewport's transform unrolled.
    const double scale = view.scale() * ratio;
    const double ox = view.size().width() * ratio / 2 - view.centre().x() * scale;
    const double oy = view.size().height() * ratio / 2 + view.centre().y() * scale;
    const double *east = points.eastData();
    const double *north = points.northData();
    const unsigned char *flags = points.flagData();
    const qsizetype n = rows ? qsizetype(rows->size()) : points.size();
    for (qsizetype k = 0; k < n; ++k) {
        const qsizetype i = rows ? (*rows)[size_t(k)] : k;
        if (i < 0 || i >= points.size() || !(flags[i] & 1))
            continue;
        const double fx = ox + east[i] * scale;
        const double fy = oy - north[i] * scale;
        if (fx < -r || fy < -r || fx >= width + r || fy >= height + r)
            continue;
        const int x = int(fx);
        const int y = int(fy);
        if (y >= 0 && y < height) {
            auto *line = reinterpret_cast<quint32 *>(bits + y * stride);
            for (int dx = std::max(0, x - r); dx <= std::min(width - 1, x + r); ++dx)
                line[dx] = argb;
        }
        if (x >= 0 && x < width) {
            for (int dy = std::max(0, y - r); dy <= std::min(height - 1, y + r); ++dy)
                reinterpret_cast<quint32 *>(bits + dy * stride)[x] = argb;
        }
    }
}

void PlanRenderer::drawMarks(QPainter &painter, const PlotPoints &points, const PlanViewport &view,
                             const PlanStyle &style)
{
    const QRectF bounds = QRectF(QPointF(0, 0), view.size()).adjusted(-5, -5, 5, 5);
    const double r = style.markRadius;
    QList<QLineF> lines;
    painter.setPen(QPen(style.point, 1));
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (!points.isLocated(i))
            continue;
        const QPointF p = view.toScreen(points.east(i), points.north(i));
        if (!bounds.contains(p))
            continue;
        lines.append(QLineF(p.x() - r, p.y(), p.x() + r, p.y()));
        lines.append(QLineF(p.x(), p.y() - r, p.x(), p.y() + r));
        if (lines.size() >= 8192) {
            painter.drawLines(lines);
            lines.clear();
        }
    }
    painter.drawLines(lines);
}

void PlanRenderer::drawSelected(QPainter &painter, const PlotPoints &points,
                                const PlanViewport &view, const PlanStyle &style,
                                const std::vector<qsizetype> &selected)
{
    if (selected.empty())
        return;
    const QRectF bounds = QRectF(QPointF(0, 0), view.size()).adjusted(-8, -8, 8, 8);
    const double r = style.markRadius + 1;
    // A ring around each selected point finds it among thousands; past that
    // many the crosses alone, in the selection colour, stay quick.
    const bool rings = selected.size() <= 20000;
    QImage *image = nullptr;
    if (!rings && fastImage(painter, &image)) {
        drawMarksFast(painter, points, view, style, &selected, style.selected);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, rings);
    painter.setPen(QPen(style.selected, rings ? 1.6 : 1));
    painter.setBrush(Qt::NoBrush);
    for (const qsizetype row : selected) {
        if (row < 0 || row >= points.size() || !points.isLocated(row))
            continue;
        const QPointF p = view.toScreen(points.east(row), points.north(row));
        if (!bounds.contains(p))
            continue;
        painter.drawLine(QLineF(p.x() - r, p.y(), p.x() + r, p.y()));
        painter.drawLine(QLineF(p.x(), p.y() - r, p.x(), p.y() + r));
        if (rings)
            painter.drawEllipse(p, r + 3, r + 3);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

std::vector<PlanRenderer::Label>
PlanRenderer::placeLabels(const QFont &font, QPaintDevice *device, const PlotPoints &points,
                          const PlanViewport &view, const PlanStyle &style,
                          const std::vector<qsizetype> &selected, const NameOf &nameOf)
{
    std::vector<Label> labels;
    const QRectF screen(QPointF(0, 0), view.size());
    std::vector<qsizetype> visible;
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (!points.isLocated(i) ||
            !screen.contains(view.toScreen(points.east(i), points.north(i))))
            continue;
        if (qsizetype(visible.size()) >= kMaxLabelledPoints)
            return labels;
        visible.push_back(i);
    }
    // Selected points are labelled first, so theirs win a crowded spot.
    std::vector<qsizetype> order;
    order.reserve(visible.size() + selected.size());
    for (const qsizetype row : selected) {
        if (row >= 0 && row < points.size() && points.isLocated(row))
            order.push_back(row);
    }
    order.insert(order.end(), visible.begin(), visible.end());

    const QFontMetricsF metrics(font, device);
    const double height = metrics.height();
    // Placed labels are kept in a grid of cells one label high, so each new
    // label is checked against its neighbours only.
    const double cell = std::max(8.0, height * 2);
    const auto key = [cell](double x, double y) {
        // Shifted as unsigned: a cell left of the origin has a negative column.
        const auto column = quint64(qint64(std::floor(x / cell)));
        return qint64((column << 32) ^ quint64(qint64(std::floor(y / cell) + (1 << 30))));
    };
    std::unordered_multimap<qint64, QRectF> placed;
    std::unordered_set<qsizetype> labelled;
    const auto cellsOf = [cell](const QRectF &rect, auto visit) {
        for (double x = std::floor(rect.left() / cell); x <= std::floor(rect.right() / cell); ++x)
            for (double y = std::floor(rect.top() / cell); y <= std::floor(rect.bottom() / cell);
                 ++y)
                visit(x * cell, y * cell);
    };
    const auto fits = [&](const QRectF &rect) {
        if (!screen.contains(rect))
            return false;
        bool free = true;
        cellsOf(rect, [&](double x, double y) {
            const auto range = placed.equal_range(key(x, y));
            for (auto it = range.first; free && it != range.second; ++it)
                free = !it->second.intersects(rect);
        });
        return free;
    };
    // A label never covers another point's cross.
    const double mark = style.markRadius + 1;
    for (const qsizetype row : visible) {
        const QPointF p = view.toScreen(points.east(row), points.north(row));
        const QRectF cross(p.x() - mark, p.y() - mark, 2 * mark, 2 * mark);
        cellsOf(cross, [&](double x, double y) { placed.emplace(key(x, y), cross); });
    }
    // Stations keep their triangle and their name, drawn over everything.
    QFont bold(font);
    bold.setBold(true);
    for (const QRectF &rect : stationRects(QFontMetricsF(bold, device), view, style.stations))
        cellsOf(rect, [&](double x, double y) { placed.emplace(key(x, y), rect); });
    // The scale bar, the north arrow and the note keep their corners.
    const QSizeF size = view.size();
    const QRectF band(QPointF(0, size.height() - kScaleBarBand.height()), kScaleBarBand);
    cellsOf(band, [&](double x, double y) { placed.emplace(key(x, y), band); });
    cellsOf(QRectF(size.width() - 34, 0, 34, 40), [&](double x, double y) {
        placed.emplace(key(x, y), QRectF(size.width() - 34, 0, 34, 40));
    });
    if (!style.note.isEmpty()) {
        const QRectF note = noteRect(metrics, size, style.note);
        cellsOf(note, [&](double x, double y) { placed.emplace(key(x, y), note); });
    }
    const double gap = style.markRadius + kLabelGap;
    for (const qsizetype row : order) {
        if (!labelled.insert(row).second)
            continue;
        QString text = nameOf(row);
        if (style.elevations && points.hasElevation(row))
            text += (text.isEmpty() ? QString() : QStringLiteral("  ")) +
                    QString::number(points.elevation(row), 'f', 3);
        if (text.isEmpty())
            continue;
        const QPointF p = view.toScreen(points.east(row), points.north(row));
        const double width = metrics.horizontalAdvance(text);
        const QRectF candidates[] = {
            QRectF(p.x() + gap, p.y() - height / 2, width, height),         // right
            QRectF(p.x() - gap - width, p.y() - height / 2, width, height), // left
            QRectF(p.x() - width / 2, p.y() - gap - height, width, height), // above
            QRectF(p.x() - width / 2, p.y() + gap, width, height),          // below
        };
        for (const QRectF &rect : candidates) {
            if (!fits(rect))
                continue;
            cellsOf(rect, [&](double x, double y) { placed.emplace(key(x, y), rect); });
            labels.push_back({row, rect, text});
            break;
        }
    }
    return labels;
}

void PlanRenderer::drawLabels(QPainter &painter, const PlotPoints &points, const PlanViewport &view,
                              const PlanStyle &style, const std::vector<qsizetype> &selected,
                              const NameOf &nameOf)
{
    painter.setPen(style.text);
    for (const Label &label :
         placeLabels(painter.font(), painter.device(), points, view, style, selected, nameOf))
        painter.drawText(label.rect, Qt::AlignLeft | Qt::AlignVCenter, label.text);
}

double PlanRenderer::scaleBarMetres(double pixelsPerMetre, double maxPixels)
{
    const double metres = maxPixels / pixelsPerMetre;
    const double power = std::pow(10.0, std::floor(std::log10(metres)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * power <= metres)
            return step * power;
    }
    return power;
}

QString PlanRenderer::lengthText(double metres)
{
    if (metres >= 1000)
        return QStringLiteral("%1 km").arg(metres / 1000, 0, 'g', 6);
    return QStringLiteral("%1 m").arg(metres, 0, 'g', 6);
}

void PlanRenderer::drawScaleBar(QPainter &painter, const PlanViewport &view, const PlanStyle &style)
{
    const double metres = scaleBarMetres(view.scale(), std::min(160.0, view.size().width() / 3));
    const double length = metres * view.scale();
    const double x = 12;
    const double y = view.size().height() - 14;
    painter.setPen(QPen(style.text, 1.5));
    painter.drawLine(QLineF(x, y, x + length, y));
    painter.drawLine(QLineF(x, y - 5, x, y + 2));
    painter.drawLine(QLineF(x + length, y - 5, x + length, y + 2));
    painter.drawLine(QLineF(x + length / 2, y - 3, x + length / 2, y));
    painter.drawText(QPointF(x + 2, y - 6), lengthText(metres));
}

void PlanRenderer::drawNorthArrow(QPainter &painter, const PlanViewport &view,
                                  const PlanStyle &style)
{
    const double x = view.size().width() - 18;
    const double y = 12;
    QPainterPath arrow;
    arrow.moveTo(x, y);
    arrow.lineTo(x + 6, y + 18);
    arrow.lineTo(x, y + 13);
    arrow.lineTo(x - 6, y + 18);
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(style.text);
    painter.drawPath(arrow);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(style.text);
    painter.drawText(QRectF(x - 10, y + 19, 20, 16), Qt::AlignCenter, QStringLiteral("N"));
    painter.setRenderHint(QPainter::Antialiasing, false);
}
