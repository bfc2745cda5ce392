#include "ASListctrl.h"
#include "PointTableModel.h"
#include "TQDLGEDIT.h"
#include "TQDLGUNIT.h"
#include "converter/TQDLGGSIDXF.h"
#include "gallery/WindowGallery.h"
#include "state/AppState.h"

namespace {

// A few points as a surveyor's control file would hold them.
TQDLGEDIT *editorWithPoints(int uiLanguage)
{
    auto *editor = new TQDLGEDIT(uiLanguage);
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
    editor->grid()->setAppendRowIndex(model->rowCount() - 1);
    return editor;
}

} // namespace

void addEditorWindows(WindowGallery &gallery)
{
    gallery.add(QStringLiteral("editor"),
                [](AppState &state) -> QWidget * { return new TQDLGEDIT(state.UiLanguage); });
    gallery.add(QStringLiteral("editor_points"), [](AppState &state) -> QWidget * {
        TQDLGEDIT *editor = editorWithPoints(state.UiLanguage);
        // A marked row and a cell being edited, as the user sees them mid-work.
        editor->grid()->doubleClickCell(1, 0);
        editor->grid()->doubleClickCell(4, 2);
        return editor;
    });
    gallery.add(QStringLiteral("editor_settings"),
                [](AppState &state) -> QWidget * { return new TQDLGUNIT(state.UiLanguage); });
    gallery.add(QStringLiteral("converter"), [](AppState &state) -> QWidget * {
        auto *converter = new TQDLGGSIDXF(state.UiLanguage);
        converter->setGsiPath(QStringLiteral("/home/survey/jobs/site12/control.gsi"));
        return converter;
    });
}
