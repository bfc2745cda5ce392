// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/state/AppState.h"
#include "gui/common/StationSetupDialog.h"
#include "gui/converter/GsiToDxfDialog.h"
#include "gui/editor/EditorSettingsDialog.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/PlanView.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"
#include "sim/SimJobStore.h"
#include "tools/gallery/WindowGallery.h"

#include <QBuffer>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// A few points as a surveyor's control file would hold them.
EditorWindow *editorWithPoints()
{
    auto *editor = new EditorWindow;
    PointTableModel *model = editor->pointModel();
    model->clear();
    const char *names[] = {"KZ01", "KZ02", "KZ03", "BM1", "T101", "T102", "T103", "T104"};
    for (int i = 0; i < 8; ++i) {
        PointRecord point;
        point.number = QString::number(i + 1);
        point.name = QString::fromLatin1(names[i]);
        point.easting = QString::asprintf("%.3f", 512345.678 + i * 37.215);
        point.northing = QString::asprintf("%.3f", 3456789.012 - i * 21.407);
        point.elevation = QString::asprintf("%.3f", 45.120 + i * 0.315);
        model->append(point);
    }
    model->setCellText(3, 5, QStringLiteral("BM"));
    // A point still without coordinates: the plan lists it.
    PointRecord pending;
    pending.number = QStringLiteral("9");
    pending.name = QStringLiteral("T105");
    model->append(pending);
    editor->grid()->setAppendRowIndex(model->rowCount() - 1);
    return editor;
}

// The observations of the demo instrument's first job, as a download gives them.
QByteArray demoObservations()
{
    const SimJobStore store = SimJobStore::demo();
    QByteArray bytes;
    for (const QByteArray &line : store.job(1).observations)
        bytes += line + "\r\n";
    return bytes;
}

StationSetupDialog *stationSetup()
{
    QByteArray bytes = demoObservations();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return new StationSetupDialog(ObservationReducer::scanStations(buffer));
}

// What the editor shows after opening the observations: the reduced points
// and the station they were measured from.
EditorWindow *editorWithReducedPoints()
{
    QByteArray bytes = demoObservations();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    PointList points;
    const ReductionResult r = ObservationReducer::reduce(buffer, ReductionOptions(), points);
    auto *editor = new EditorWindow;
    PointTableModel *model = editor->pointModel();
    model->beginBulkLoad();
    model->clear();
    for (const PointRecord &p : points.points())
        model->append(p);
    model->endBulkLoad();
    std::vector<PlanStation> stations;
    for (const StationReport &s : r.stations)
        stations.push_back({s.easting, s.northing, s.name});
    editor->planView()->setStations(stations);
    editor->resize(editor->sizeHint());
    return editor;
}

} // namespace

void addEditorWindows(WindowGallery &gallery)
{
    gallery.add(QStringLiteral("editor"), [](AppState &) -> QWidget * {
        // Its own size, as on a desktop: the gallery's small offscreen screen
        // would otherwise cut it to two thirds of its width.
        auto *editor = new EditorWindow;
        editor->resize(editor->sizeHint());
        return editor;
    });
    gallery.add(QStringLiteral("editor_points"), [](AppState &) -> QWidget * {
        EditorWindow *editor = editorWithPoints();
        // A marked row and a cell being edited, as the user sees them mid-work.
        editor->grid()->doubleClickCell(1, 0);
        editor->grid()->doubleClickCell(4, 2);
        // A row chosen in the grid stands out on the plan.
        editor->grid()->selectionModel()->select(editor->pointModel()->index(6, 0),
                                                 QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
        editor->resize(editor->sizeHint());
        return editor;
    });
    gallery.add(QStringLiteral("editor_refused_cell"), [](AppState &) -> QWidget * {
        // A comma typed as the decimal mark: the cell stays open and says why.
        EditorWindow *editor = editorWithPoints();
        editor->grid()->doubleClickCell(2, 3);
        editor->grid()->cellEdit()->setText(QStringLiteral("3456746,198"));
        editor->grid()->commitEdit();
        editor->resize(editor->sizeHint());
        return editor;
    });
    gallery.add(QStringLiteral("station_setup"),
                [](AppState &) -> QWidget * { return stationSetup(); });
    gallery.add(QStringLiteral("station_setup_refused"), [](AppState &) -> QWidget * {
        // A station line without coordinates: OK stays off and says why.
        StationSetupDialog *dialog = stationSetup();
        dialog->eastingField()->clear();
        dialog->northingField()->clear();
        dialog->backsightButton()->setChecked(true);
        return dialog;
    });
    gallery.add(QStringLiteral("station_setup_output"), [](AppState &) -> QWidget * {
        StationSetupDialog *dialog = stationSetup();
        dialog->offerOutput(QStringLiteral("/home/survey/jobs/ROAD1.gsi"));
        return dialog;
    });
    gallery.add(QStringLiteral("editor_observations"),
                [](AppState &) -> QWidget * { return editorWithReducedPoints(); });
    gallery.add(QStringLiteral("editor_settings"),
                [](AppState &) -> QWidget * { return new EditorSettingsDialog; });
    gallery.add(QStringLiteral("converter"), [](AppState &) -> QWidget * {
        auto *converter = new GsiToDxfDialog;
        converter->setGsiPath(QStringLiteral("/home/survey/jobs/site12/control.gsi"));
        return converter;
    });
}
