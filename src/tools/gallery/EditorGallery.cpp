// SPDX-License-Identifier: GPL-3.0-or-later
#include "converter/GsiToDxfDialog.h"
#include "editor/CellEditBox.h"
#include "editor/EditorSettingsDialog.h"
#include "editor/EditorWindow.h"
#include "editor/PointGridView.h"
#include "editor/PointTableModel.h"
#include "gallery/WindowGallery.h"
#include "state/AppState.h"

#include <QItemSelectionModel>

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

} // namespace

void addEditorWindows(WindowGallery &gallery)
{
    gallery.add(QStringLiteral("editor"), [](AppState &) -> QWidget * { return new EditorWindow; });
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
    gallery.add(QStringLiteral("editor_settings"),
                [](AppState &) -> QWidget * { return new EditorSettingsDialog; });
    gallery.add(QStringLiteral("converter"), [](AppState &) -> QWidget * {
        auto *converter = new GsiToDxfDialog;
        converter->setGsiPath(QStringLiteral("/home/survey/jobs/site12/control.gsi"));
        return converter;
    });
}
