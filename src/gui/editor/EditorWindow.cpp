// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorWindow.h"

#include "EditActions.h"
#include "EditorSettingsDialog.h"
#include "FileDialogs.h"
#include "LossQuestion.h"
#include "ObservationImport.h"
#include "PlanView.h"
#include "PointGridView.h"
#include "PointTableModel.h"
#include "common/AppSettings.h"
#include "common/ToolNames.h"
#include "coordfiles/FormatTable.h"
#include "geo/CrsTransform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {
const QString kGeometryKey = QStringLiteral("editor");
} // namespace

EditorWindow::EditorWindow(QWidget *parent)
    : QDialog(parent), m_grid(new PointGridView(this)), m_editActions(new EditActions(m_grid, this))
{
    setObjectName(QStringLiteral("EditorWindow"));
    setSizeGripEnabled(true);
    buildMenus();

    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->pointModel()->setHeaderLabels({QStringLiteral(" "), tr("Name"), tr("Y(Easting)"),
                                           tr("X(Northing)"), tr("H(Elevation)"), tr("Code")});
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(m_fileMenu->parentWidget());
    layout->setContentsMargins(3, 3, 3, 3);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(m_grid);
    layout->addWidget(m_splitter);

    PointRecord first;
    first.number = QStringLiteral("1");
    m_grid->pointModel()->append(first);
    m_grid->setAppendRowIndex(0);

    connect(m_grid->undoStack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    connect(m_grid, &PointGridView::contextMenuWanted, this, &EditorWindow::showContextMenu);
    addPlanView();
    updateTitle();
    AppSettings::restoreGeometry(this, kGeometryKey);
}

QSize EditorWindow::sizeHint() const
{
    constexpr int kPlanWidth = 380;
    return {760 + (m_plan && !m_plan->isHidden() ? kPlanWidth : 0), 440};
}

void EditorWindow::buildMenus()
{
    auto *menuBar = new QMenuBar(this);
    m_fileMenu = menuBar->addMenu(tr("&File"));
    m_openAction = m_fileMenu->addAction(tr("&Open..."));
    m_openAction->setShortcut(QKeySequence::Open);
    m_saveAction = m_fileMenu->addAction(tr("&Save"));
    m_saveAction->setShortcut(QKeySequence::Save);
    m_saveAsAction = m_fileMenu->addAction(tr("Save &as..."));
    m_saveAsAction->setShortcut(QKeySequence::SaveAs);
    m_editMenu = menuBar->addMenu(tr("&Edit"));
    m_editActions->addTo(m_editMenu);
    m_optionsMenu = menuBar->addMenu(tr("O&ptions"));
    m_settingsAction = m_optionsMenu->addAction(tr("&Settings..."));
    connect(m_openAction, &QAction::triggered, this, &EditorWindow::runOpen);
    connect(m_saveAction, &QAction::triggered, this, &EditorWindow::runSave);
    connect(m_saveAsAction, &QAction::triggered, this, &EditorWindow::runSaveAs);
    connect(m_settingsAction, &QAction::triggered, this, &EditorWindow::runSettings);
    // A dialog's menu bar does not see shortcuts of a closed menu on every
    // platform; the window carries them as well.
    addActions({m_openAction, m_saveAction, m_saveAsAction, m_editActions->undo(),
                m_editActions->redo(), m_editActions->insertRow(), m_editActions->deleteRows(),
                m_editActions->copyRows()});
}

PointTableModel *EditorWindow::pointModel() const
{
    return m_grid->pointModel();
}

bool EditorWindow::isModified() const
{
    return !m_grid->undoStack()->isClean();
}

QString EditorWindow::openFileTypes()
{
    // The formats' entries come from FormatTable; "All files" lets a file with
    // another extension be chosen, read by what it holds where the reader can tell.
    return FormatTable::openTypeList() + tr("All files") + QStringLiteral(" (*)|*||");
}

QString EditorWindow::saveAsFileTypes()
{
    // The entries' positions are the SaveAsEntry numbers saveAsFile() takes.
    return FormatTable::saveAsTypeList() + QLatin1Char('|');
}

bool EditorWindow::runOpen()
{
    if (!confirmDiscard())
        return false;
    const FileChoice choice = FileDialogs::openFile(
        this, openFileTypes(), QStringLiteral("openDialog"), m_currentFilePath);
    if (!choice.accepted)
        return false;
    return openFile(choice.path);
}

bool EditorWindow::openFile(const QString &path)
{
    // Observations without coordinates are reduced after asking for the set-up.
    if (ObservationImport::wanted(path)) {
        if (!ObservationImport::open(*this, path))
            return false;
        setCurrentFile(QString(), CoordFormat::None, false);
        return true;
    }
    // "POINTS.GSI" from a memory stick is read as "points.gsi" would be.
    const CoordFormat format =
        CoordFileIo::formatForExtension(CoordFileIo::extensionOf(path).toLower());
    PointTableModel *model = m_grid->pointModel();
    CoordReadResult result;
    model->beginBulkLoad();
    if (format == CoordFormat::None) {
        result = CoordFileIo::open(path, *model);
    } else {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            result = CoordFileIo::read(file, format, *model);
        } else {
            result.status = CoordReadResult::Status::Failed;
            result.error = file.errorString();
        }
    }
    model->endBulkLoad();

    const QString name = QDir::toNativeSeparators(path);
    if (result.sinkCleared) {
        // The old rows are gone: an edit box over one of them means nothing
        // now, and their history with them.
        m_grid->cancelEdit();
        m_grid->undoStack()->clear();
        // Rows of a failed read are not the current file's: Save must ask
        // instead of writing them over the file opened before.
        if (result.status != CoordReadResult::Status::Read)
            setCurrentFile(QString(), CoordFormat::None, false);
    }
    switch (result.status) {
    case CoordReadResult::Status::Read:
        // Only a file that was read becomes the one Save writes to; "gsi" is
        // saved as GSI-16, whichever variant was read.
        setCurrentFile(path, format, false);
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
        showMessage(QMessageBox::Warning, tr("Cannot read %1: %2").arg(name, result.error));
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
    if (!commitPendingEdit())
        return false;
    // Without a file of a known format there is nowhere to save to: ask for one.
    if (m_currentFilePath.isEmpty() || m_currentFormat == CoordFormat::None)
        return runSaveAs();
    return writeTo(m_currentFilePath, m_currentFormat, m_currentRangeRule, m_currentCrs);
}

bool EditorWindow::runSaveAs()
{
    if (!commitPendingEdit())
        return false;
    const FileChoice choice =
        FileDialogs::saveFile(this, saveAsFileTypes(), QStringLiteral("gsi"),
                              QStringLiteral("saveAsDialog"), true, m_currentFilePath);
    if (!choice.accepted)
        return false;
    return saveAsFile(choice.path, choice.fileTypeEntry);
}

bool EditorWindow::saveAsFile(const QString &path, int fileTypeEntry)
{
    if (!commitPendingEdit())
        return false;
    const CoordFormat format =
        CoordFileIo::saveAsFormat(fileTypeEntry, CoordFileIo::extensionOf(path).toLower());
    if (format == CoordFormat::None) {
        // Writing an empty file here would replace whatever was there with nothing.
        showMessage(QMessageBox::Warning,
                    tr("The chosen file type does not match the extension of %1. Nothing was "
                       "written.")
                        .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    QString crs;
    if (CoordFileIo::needsCrs(format) && !chooseCrs(&crs))
        return false;
    if (!writeTo(path, format, true, crs))
        return false;
    // Save now writes here, in the format chosen.
    setCurrentFile(path, format, true);
    m_currentCrs = crs;
    return true;
}

bool EditorWindow::writeTo(const QString &path, CoordFormat format, bool rangeRule,
                           const QString &crs)
{
    // Asked before anything is written: Cancel leaves the file as it was.
    if (!LossQuestion::confirm(this, *m_grid->pointModel(), format, rangeRule))
        return false;
    CoordWriteOptions options;
    options.gsiRangeRule = rangeRule;
    options.crs = crs;
    const CoordWriteResult result =
        CoordFileIo::write(path, format, *m_grid->pointModel(), options);
    return reportWrite(path, result);
}

void EditorWindow::setCurrentFile(const QString &path, CoordFormat format, bool rangeRule)
{
    m_currentFilePath = path;
    m_currentFileExt = path.isEmpty() ? QString() : CoordFileIo::extensionOf(path);
    m_currentFormat = format;
    m_currentRangeRule = rangeRule;
    updateTitle();
}

void EditorWindow::updateTitle()
{
    const QString caption = ToolNames::editor();
    if (m_currentFilePath.isEmpty())
        setWindowTitle(caption + QStringLiteral("[*]"));
    else
        setWindowTitle(
            QStringLiteral("%1[*] - %2").arg(QFileInfo(m_currentFilePath).fileName(), caption));
    setWindowModified(isModified());
}

void EditorWindow::runSettings()
{
    EditorSettingsDialog dialog(this);
    dialog.exec();
}

void EditorWindow::reject()
{
    if (!confirmDiscard())
        return;
    QDialog::reject();
}

void EditorWindow::done(int result)
{
    AppSettings::saveGeometry(this, kGeometryKey);
    QDialog::done(result);
}

bool EditorWindow::confirmDiscard()
{
    if (!commitPendingEdit())
        return false;
    if (!isModified())
        return true;
    QMessageBox box(QMessageBox::Question, ToolNames::editor(),
                    tr("The points have been changed. Save them?"),
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

bool EditorWindow::commitPendingEdit()
{
    // Text typed into a cell counts as entered once the user saves or leaves;
    // a text the cell refuses stops the command with the cell still open.
    return m_grid->commitEdit();
}

bool EditorWindow::reportWrite(const QString &path, const CoordWriteResult &result)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (result.status) {
    case CoordWriteResult::Status::UnknownFormat:
        showMessage(QMessageBox::Warning,
                    tr("The chosen file type does not match the extension of %1. Nothing was "
                       "written.")
                        .arg(name));
        return false;
    case CoordWriteResult::Status::Failed:
        showMessage(
            QMessageBox::Critical,
            tr("Cannot save %1: %2\nAny file already there is unchanged.").arg(name, result.error));
        return false;
    case CoordWriteResult::Status::Written:
        break;
    }
    m_grid->undoStack()->setClean();
    // Rows written as 0 were listed, and agreed to, before writing.
    return true;
}

void EditorWindow::showMessage(int icon, const QString &text)
{
    QMessageBox box(QMessageBox::Icon(icon), ToolNames::editor(), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("editorMessage"));
    box.exec();
}

void EditorWindow::showContextMenu(const QPoint &globalPos)
{
    m_editActions->contextMenu(this)->popup(globalPos);
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
        dialog.setWindowTitle(ToolNames::editor());
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

void EditorWindow::addPlanView()
{
    m_plan = new PlanView(m_grid->pointModel(), m_grid->selectionModel(), this);
    m_splitter->addWidget(m_plan);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);
    // Every column of the grid in view at first; the plan takes the rest.
    m_splitter->setSizes({760, 380});
    connect(m_plan, &PlanView::rowClicked, this,
            [this](int row) { m_grid->scrollTo(m_grid->pointModel()->index(row, 1)); });
    m_optionsMenu->addSeparator();
    m_planAction = m_optionsMenu->addAction(tr("&Plan view"));
    m_planAction->setObjectName(QStringLiteral("planAction"));
    m_planAction->setCheckable(true);
    auto *elevations = m_optionsMenu->addAction(tr("&Elevations on the plan"));
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
