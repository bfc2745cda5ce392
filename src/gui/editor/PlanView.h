// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plot/PlanRenderer.h"
#include "plot/PlanViewport.h"
#include "plot/PlotPoints.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class PointTableModel;
class QItemSelectionModel;

// The editor's plan: every point of the grid's model drawn at its easting and
// northing, north up. It follows the model's signals, so every edit, insert,
// delete, load and undo shows at once, whoever made it. Rows selected in the
// grid are highlighted and brought into view; a click on a point selects its
// row. Wheel zooms around the pointer, dragging pans, Home shows everything.
class PlanView : public QWidget
{
    Q_OBJECT

public:
    // Pixels around a point within which a click takes it.
    static constexpr double kHitRadius = 6;

    PlanView(PointTableModel *model, QItemSelectionModel *selection, QWidget *parent = nullptr);

    const PlotPoints &points() const { return m_points; }
    // The line under the plan: the points that have no place, by name.
    QString note() const;
    PlanViewport &viewport() { return m_view; }
    const PlanViewport &viewport() const { return m_view; }
    const std::vector<qsizetype> &selectedRows() const { return m_selected; }

    // The row of the point nearest to pixel within kHitRadius; -1 for none.
    int rowAt(const QPointF &pixel) const;
    // Shows every point ("fit all").
    void fitAll();
    void setElevationLabels(bool on);
    // Marks these set-ups on the plan, until the grid's points are replaced.
    void setStations(std::vector<PlanStation> stations);
    const std::vector<PlanStation> &stations() const { return m_style.stations; }
    // Draws everything again at the next paint, as after a change made
    // through viewport().
    void redraw();

    QSize sizeHint() const override { return {360, 360}; }
    QSize minimumSizeHint() const override { return {120, 120}; }

Q_SIGNALS:
    // A click chose this row; the grid scrolls to it.
    void rowClicked(int row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void rebuild();
    void rowsChanged(int first, int last);
    void rowsInserted(int first, int last);
    void rowsRemoved(int first, int last);
    void selectionChanged();
    void readSelection();
    void bringSelectionIntoView();
    void pointsMoved();
    QRectF extent() const;
    PointRecord recordOf(int row) const;

    PointTableModel *m_model;
    QPointer<QItemSelectionModel> m_selection;
    PlotPoints m_points;
    PlanViewport m_view;
    PlanStyle m_style;
    std::vector<qsizetype> m_selected;
    QImage m_image; // the last drawing; painted again while nothing changed
    bool m_dirty = true;
    bool m_stale = false;    // hidden while the model changed: read again when shown
    bool m_autoFit = true;   // until the user zooms or pans, the view follows the extent
    bool m_clicking = false; // a press not yet moved far enough to be a drag
    bool m_selectingFromPlan = false;
    bool m_revealSelection = false; // bring the selection into view at the next paint
    QPointF m_pressPos;
    QPointF m_lastPos;
};
