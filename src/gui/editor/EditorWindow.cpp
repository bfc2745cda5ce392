#include "EditorWindow.h"

#include "EditorSettingsDialog.h"
#include "FileDialogs.h"
#include "PlanView.h"
#include "PointGridView.h"
#include "PointTableModel.h"
#include "coordfiles/CoordFileIo.h"
#include "geo/CrsTransform.h"

#include <QDir>
#include <QInputDialog>
#include <QSettings>
#include <QSplitter>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {
constexpr int kListedZeroRows = 20;
}

EditorWindow::EditorWindow(int uiLanguage, QWidget *parent)
    : QDialog(parent), m_texts(EditorTexts::forLanguage(uiLanguage)), m_uiLanguage(uiLanguage),
      m_grid(new PointGridView(this))
{
    setObjectName(QStringLiteral("EditorWindow"));
    setWindowTitle(m_texts.caption);
    setSizeGripEnabled(true);

    auto *menuBar = new QMenuBar(this);
    m_fileMenu = menuBar->addMenu(m_texts.fileMenu);
    m_openAction = m_fileMenu->addAction(m_texts.open);
    m_saveAction = m_fileMenu->addAction(m_texts.save);
    m_saveAsAction = m_fileMenu->addAction(m_texts.saveAs);
    m_optionsMenu = menuBar->addMenu(m_texts.optionsMenu);
    m_settingsAction = m_optionsMenu->addAction(m_texts.settings);
    connect(m_openAction, &QAction::triggered, this, &EditorWindow::runOpen);
    connect(m_saveAction, &QAction::triggered, this, &EditorWindow::runSave);
    connect(m_saveAsAction, &QAction::triggered, this, &EditorWindow::runSaveAs);
    connect(m_settingsAction, &QAction::triggered, this, &EditorWindow::runSettings);

    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->pointModel()->setHeaderLabels(m_texts.columns);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->setContentsMargins(3, 3, 3, 3);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(m_grid);
    layout->addWidget(m_splitter);

    m_grid->setAppendRowIndex(0);
    PointRecord first;
    first.number = QStringLiteral("1");
    m_grid->pointModel()->append(first);

    connect(m_grid, &PointGridView::cellCommitted, this, &EditorWindow::markModified);
    connect(m_grid, &PointGridView::rowAppended, this, &EditorWindow::markModified);
    addPlanView();
}

QSize EditorWindow::sizeHint() const
{
    constexpr int kPlanWidth = 380;
    return {740 + (m_plan && !m_plan->isHidden() ? kPlanWidth : 0), 440};
}

PointTableModel *EditorWindow::pointModel() const
{
    return m_grid->pointModel();
}

bool EditorWindow::runOpen()
{
    if (!confirmDiscard())
        return false;
    const FileChoice choice =
        FileDialogs::openFile(this, EditorTexts::openFileTypes(), QStringLiteral("openDialog"));
    if (!choice.accepted)
        return false;
    return openFile(choice.path);
}

bool EditorWindow::openFile(const QString &path)
{
    PointTableModel *model = m_grid->pointModel();
    model->beginBulkLoad();
    const CoordReadResult result = CoordFileIo::open(path, *model);
    model->endBulkLoad();

    const QString name = QDir::toNativeSeparators(path);
    if (result.sinkCleared) {
        // The old rows are gone: an edit box over one of them means nothing now,
        // and an emptied grid has nothing left to lose.
        m_grid->cancelEdit();
        m_modified = false;
        // Rows of a failed read are not the current file's: Save must ask
        // instead of writing them over the file opened before.
        if (result.status != CoordReadResult::Status::Read) {
            m_currentFilePath.clear();
            m_currentFileExt.clear();
        }
    }
    switch (result.status) {
    case CoordReadResult::Status::Read:
        // Only a file that was read becomes the one Save writes to.
        m_currentFilePath = path;
        m_currentFileExt = CoordFileIo::extensionOf(path);
        m_grid->setAppendRowIndex(qMax(0, model->rowCount() - 1));
        reportSkipped(name, result);
        return true;
    case CoordReadResult::Status::NotRecognised:
        showMessage(
            QMessageBox::Warning,
            tr("%1 is no coordinate file: %2. The grid is unchanged.").arg(name, result.error));
        return false;
    case CoordReadResult::Status::UnknownExtension:
    case CoordReadResult::Status::Failed:
        showMessage(QMessageBox::Warning, m_texts.readFailed.arg(name, result.error));
        return false;
    }
    return false;
}

void EditorWindow::reportSkipped(const QString &name, const CoordReadResult &result)
{
    // What was not read, and a unit that is not metres, said once after Open.
    QStringList lines;
    if (result.skipped.total() > 0)
        lines << tr("%1 points read; %2.").arg(result.pointCount).arg(result.skipped.describe());
    if (result.feet)
        lines << tr("The coordinates are in feet; they are shown as they are, not converted.");
    if (!lines.isEmpty())
        showMessage(QMessageBox::Information,
                    name + QLatin1Char('\n') + lines.join(QLatin1Char('\n')));
}

bool EditorWindow::runSave()
{
    commitPendingEdit();
    // Without a file of a known format there is nowhere to save to: ask for one.
    if (m_currentFilePath.isEmpty() ||
        CoordFileIo::formatForExtension(m_currentFileExt) == CoordFormat::None)
        return runSaveAs();
    const CoordWriteResult result = CoordFileIo::save(m_currentFilePath, *m_grid->pointModel());
    return reportWrite(m_currentFilePath, result);
}

bool EditorWindow::runSaveAs()
{
    commitPendingEdit();
    const FileChoice choice =
        FileDialogs::saveFile(this, EditorTexts::saveAsFileTypes(), QStringLiteral("gsi"),
                              QStringLiteral("saveAsDialog"));
    if (!choice.accepted)
        return false;
    return saveAsFile(choice.path, choice.fileTypeEntry);
}

bool EditorWindow::saveAsFile(const QString &path, int fileTypeEntry)
{
    commitPendingEdit();
    QString crs;
    if (CoordFileIo::needsCrs(CoordFileIo::saveAsFormat(fileTypeEntry, CoordFileIo::extensionOf(path))) &&
        !chooseCrs(&crs))
        return false;
    // The current file stays the one chosen with Open.
    const CoordWriteResult result =
        CoordFileIo::saveAs(path, fileTypeEntry, *m_grid->pointModel(), crs);
    return reportWrite(path, result);
}

void EditorWindow::runSettings()
{
    EditorSettingsDialog dialog(m_uiLanguage, this);
    dialog.exec();
}

void EditorWindow::reject()
{
    if (!confirmDiscard())
        return;
    QDialog::reject();
}

bool EditorWindow::confirmDiscard()
{
    commitPendingEdit();
    if (!m_modified)
        return true;
    QMessageBox box(QMessageBox::Question, m_texts.caption, m_texts.unsavedQuestion,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("unsavedQuestion"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return runSave();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void EditorWindow::commitPendingEdit()
{
    // Text typed into a cell counts as entered once the user saves or leaves.
    m_grid->commitEdit();
}

bool EditorWindow::reportWrite(const QString &path, const CoordWriteResult &result)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (result.status) {
    case CoordWriteResult::Status::UnknownFormat:
        showMessage(QMessageBox::Warning, m_texts.noFormatForName.arg(name));
        return false;
    case CoordWriteResult::Status::Failed:
        showMessage(QMessageBox::Critical, m_texts.writeFailed.arg(name, result.error));
        return false;
    case CoordWriteResult::Status::Written:
        break;
    }
    m_modified = false;
    if (!result.zeroRows.isEmpty()) {
        QStringList rows;
        const PointTableModel *model = m_grid->pointModel();
        for (qsizetype i = 0; i < result.zeroRows.size() && i < kListedZeroRows; ++i) {
            const int row = int(result.zeroRows.at(i));
            const QString pointName = model->cellText(row, 1);
            rows.append(pointName.isEmpty()
                            ? QString::number(row + 1)
                            : QStringLiteral("%1 (%2)").arg(row + 1).arg(pointName));
        }
        if (result.zeroRows.size() > kListedZeroRows)
            rows.append(m_texts.andMore.arg(result.zeroRows.size() - kListedZeroRows));
        showMessage(QMessageBox::Warning,
                    m_texts.zeroRowsWritten.arg(CoordFileIo::formatName(result.format))
                        .arg(result.zeroRows.size())
                        .arg(rows.join(QStringLiteral(", "))));
    }
    return true;
}

void EditorWindow::showMessage(int icon, const QString &text)
{
    QMessageBox box(QMessageBox::Icon(icon), m_texts.caption, text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("editorMessage"));
    box.exec();
}

void EditorWindow::addPlanView()
{
    m_plan = new PlanView(m_grid->pointModel(), m_grid->selectionModel(), this);
    m_splitter->addWidget(m_plan);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);
    connect(m_plan, &PlanView::rowClicked, this, [this](int row) {
        m_grid->scrollTo(m_grid->pointModel()->index(row, 1));
    });
    m_optionsMenu->addSeparator();
    m_planAction = m_optionsMenu->addAction(tr("Plan view"));
    m_planAction->setObjectName(QStringLiteral("planAction"));
    m_planAction->setCheckable(true);
    auto *elevations = m_optionsMenu->addAction(tr("Elevations on the plan"));
    elevations->setObjectName(QStringLiteral("planElevationsAction"));
    elevations->setCheckable(true);
    QSettings settings;
    const bool shown = settings.value(QStringLiteral("editor/planView"), true).toBool();
    elevations->setChecked(settings.value(QStringLiteral("editor/planElevations"), false).toBool());
    m_plan->setElevationLabels(elevations->isChecked());
    m_planAction->setChecked(shown);
    m_plan->setVisible(shown);
    connect(m_planAction, &QAction::toggled, this, &EditorWindow::showPlan);
    connect(elevations, &QAction::toggled, this, [this](bool on) {
        m_plan->setElevationLabels(on);
        QSettings().setValue(QStringLiteral("editor/planElevations"), on);
    });
}

void EditorWindow::showPlan(bool shown)
{
    m_plan->setVisible(shown);
    QSettings().setValue(QStringLiteral("editor/planView"), shown);
}

QString EditorWindow::rememberedCrs()
{
    return QSettings().value(QStringLiteral("editor/crs")).toString();
}

bool EditorWindow::chooseCrs(QString *crs)
{
    QString text = rememberedCrs();
    while (true) {
        QInputDialog dialog(this);
        dialog.setObjectName(QStringLiteral("crsDialog"));
        dialog.setWindowTitle(m_texts.caption);
        dialog.setLabelText(tr("GeoJSON and KML hold longitude and latitude. Coordinate system "
                               "of these points (EPSG code, e.g. EPSG:4548):"));
        dialog.setTextValue(text.isEmpty() ? QStringLiteral("EPSG:") : text);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        text = dialog.textValue();
        const CrsTransform transform(text);
        if (transform.isValid()) {
            *crs = transform.code();
            QSettings().setValue(QStringLiteral("editor/crs"), *crs);
            return true;
        }
        showMessage(QMessageBox::Warning, transform.error());
        if (!CrsTransform::available())
            return false;
    }
}
