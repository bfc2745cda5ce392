// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/PlanView.h"

#include "gui/editor/PointTableModel.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace {
constexpr double kMargin = 36;
constexpr double kDragThreshold = 4;
constexpr int kListedUnlocated = 12;
} // namespace

PlanView::PlanView(PointTableModel *model, QItemSelectionModel *selection, QWidget *parent)
    : QWidget(parent), m_model(model), m_selection(selection)
{
    setObjectName(QStringLiteral("planView"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    m_style.labels = true;
    // New points (another file opened) were not measured from these stations.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_style.stations.clear();
        rebuild();
    });
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &PlanView::rebuild);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, &PlanView::rebuild);
    connect(m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { rowsInserted(first, last); });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int first, int last) { rowsRemoved(first, last); });
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                // Row numbers alone (every row below an insert) are not drawn.
                if (bottomRight.column() >= 1)
                    rowsChanged(topLeft.row(), bottomRight.row());
            });
    if (m_selection)
        connect(m_selection, &QItemSelectionModel::selectionChanged, this,
                &PlanView::selectionChanged);
    rebuild();
}

PointRecord PlanView::recordOf(int row) const
{
    PointRecord p;
    p.name = m_model->cellText(row, 1);
    p.code = m_model->cellText(row, 5);
    p.easting = m_model->cellText(row, 2);
    p.northing = m_model->cellText(row, 3);
    p.elevation = m_model->cellText(row, 4);
    return p;
}

void PlanView::rebuild()
{
    // A hidden plan reads nothing: opening a large file costs the plan only
    // when it is shown.
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    m_points.clear();
    const int rows = m_model->rowCount();
    m_points.reserve(rows);
    for (int row = 0; row < rows; ++row)
        m_points.append(recordOf(row));
    m_autoFit = true;
    readSelection();
    pointsMoved();
}

void PlanView::rowsChanged(int first, int last)
{
    if (first < 0 || m_stale)
        return;
    for (int row = first; row <= last && row < m_points.size(); ++row)
        m_points.set(row, recordOf(row));
    pointsMoved();
}

void PlanView::rowsInserted(int first, int last)
{
    if (m_stale)
        return;
    for (int row = first; row <= last; ++row)
        m_points.insert(row, recordOf(row));
    pointsMoved();
}

void PlanView::rowsRemoved(int first, int last)
{
    if (m_stale)
        return;
    m_points.remove(first, last - first + 1);
    // The selection model tells of its own change; rows past the cut shift now.
    readSelection();
    pointsMoved();
}

void PlanView::pointsMoved()
{
    if (m_autoFit) {
        m_view.setSize(size());
        m_view.fit(extent(), kMargin);
    }
    redraw();
}

QRectF PlanView::extent() const
{
    return PlanRenderer::withStations(m_points.extent(), m_points.locatedCount() > 0,
                                      m_style.stations);
}

void PlanView::setStations(std::vector<PlanStation> stations)
{
    m_style.stations = std::move(stations);
    m_autoFit = true;
    pointsMoved();
}

void PlanView::selectionChanged()
{
    readSelection();
    // Done at the next paint, when the view's size is known.
    if (!m_selectingFromPlan)
        m_revealSelection = true;
    redraw();
}

void PlanView::readSelection()
{
    m_selected.clear();
    if (m_selection) {
        for (const QItemSelectionRange &range : m_selection->selection()) {
            for (int row = range.top(); row <= range.bottom(); ++row) {
                if (row < m_points.size())
                    m_selected.push_back(row);
            }
        }
        std::sort(m_selected.begin(), m_selected.end());
        m_selected.erase(std::unique(m_selected.begin(), m_selected.end()), m_selected.end());
    }
}

void PlanView::bringSelectionIntoView()
{
    QRectF box;
    bool any = false;
    for (const qsizetype row : m_selected) {
        if (!m_points.isLocated(row))
            continue;
        const QPointF p(m_points.east(row), m_points.north(row));
        box = any ? box.united(QRectF(p, p)) : QRectF(p, p);
        any = true;
    }
    if (!any)
        return;
    const QRectF visible = m_view.visibleWorld();
    if (visible.contains(box.topLeft()) && visible.contains(box.bottomRight()))
        return;
    m_autoFit = false;
    if (box.width() * m_view.scale() < width() - 2 * kMargin &&
        box.height() * m_view.scale() < height() - 2 * kMargin)
        m_view.setCentre(box.center());
    else
        m_view.fit(box, kMargin);
}

int PlanView::rowAt(const QPointF &pixel) const
{
    const QPointF world = m_view.toWorld(pixel);
    const double radius = kHitRadius / m_view.scale();
    double best = radius * radius;
    int found = -1;
    const double *east = m_points.eastData();
    const double *north = m_points.northData();
    const unsigned char *flags = m_points.flagData();
    for (qsizetype i = 0; i < m_points.size(); ++i) {
        if (!(flags[i] & 1))
            continue;
        const double dx = east[i] - world.x();
        const double dy = north[i] - world.y();
        const double d = dx * dx + dy * dy;
        if (d <= best) {
            best = d;
            found = int(i);
        }
    }
    return found;
}

void PlanView::fitAll()
{
    m_autoFit = true;
    pointsMoved();
}

void PlanView::setElevationLabels(bool on)
{
    m_style.elevations = on;
    redraw();
}

void PlanView::redraw()
{
    m_dirty = true;
    update();
}

QString PlanView::note() const
{
    const std::vector<qsizetype> rows = m_points.unlocatedRows(kListedUnlocated + 1);
    if (rows.empty())
        return QString();
    QStringList names;
    for (size_t i = 0; i < rows.size() && int(i) < kListedUnlocated; ++i) {
        const QString name = m_model->cellText(int(rows[i]), 1);
        names << (name.isEmpty() ? QStringLiteral("#%1").arg(rows[i] + 1) : name);
    }
    const qsizetype total = m_points.size() - m_points.locatedCount() - m_points.blankCount();
    if (total > kListedUnlocated)
        names << tr("%n more", nullptr, int(total - kListedUnlocated));
    return tr("Without coordinates (%1): %2").arg(total).arg(names.join(QStringLiteral(", ")));
}

void PlanView::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_dirty || m_image.size() != pixels) {
        if (m_image.size() != pixels)
            m_image = QImage(pixels, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
        m_view.setSize(size());
        if (m_revealSelection) {
            m_revealSelection = false;
            bringSelectionIntoView();
        }
        m_style.background = palette().color(QPalette::Base);
        m_style.text = palette().color(QPalette::Text);
        m_style.note = note();
        QPainter painter(&m_image);
        painter.setFont(font());
        PlanRenderer::render(painter, m_points, m_view, m_style, m_selected,
                             [this](qsizetype row) { return m_model->cellText(int(row), 1); });
        m_dirty = false;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void PlanView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_autoFit) {
        m_view.setSize(size());
        m_view.fit(extent(), kMargin);
    } else {
        m_view.setSize(size());
    }
    m_dirty = true;
}

void PlanView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressPos = m_lastPos = event->position();
    m_clicking = true;
}

void PlanView::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPointF pos = event->position();
    if (m_clicking && (pos - m_pressPos).manhattanLength() < kDragThreshold)
        return;
    m_clicking = false;
    m_autoFit = false;
    m_view.panBy(pos - m_lastPos);
    m_lastPos = pos;
    redraw();
}

void PlanView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_clicking)
        return;
    m_clicking = false;
    if (!m_selection)
        return;
    const int row = rowAt(event->position());
    m_selectingFromPlan = true;
    if (row < 0) {
        if (!(event->modifiers() & Qt::ControlModifier))
            m_selection->clearSelection();
    } else {
        const QModelIndex index = m_model->index(row, 1);
        const auto flags = (event->modifiers() & Qt::ControlModifier)
                               ? QItemSelectionModel::Toggle | QItemSelectionModel::Rows
                               : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
        m_selection->setCurrentIndex(index, flags);
        Q_EMIT rowClicked(row);
    }
    m_selectingFromPlan = false;
}

void PlanView::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return;
    m_autoFit = false;
    m_view.zoomAt(event->position(), std::pow(1.25, steps));
    redraw();
    event->accept();
}

void PlanView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Home) {
        fitAll();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PlanView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_stale)
        rebuild();
}

void PlanView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        redraw();
}
