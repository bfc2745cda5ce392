// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/EditorWindow.h"

#include "core/coordfiles/FormatTable.h"
#include "core/geo/CrsTransform.h"
#include "gui/common/AppSettings.h"
#include "gui/common/ToolNames.h"
#include "gui/editor/EditActions.h"
#include "gui/editor/EditorSettingsDialog.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/LossQuestion.h"
#include "gui/editor/ObservationImport.h"
#include "gui/editor/PlanView.h"
#include "gui/editor/PointDocument.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>

namespace {
const QString kGeometryKey = QStringLiteral("editor");
} // namespace

EditorWindow::EditorWindow(QWidget *parent)
    : QMainWindow(parent), m_document(new PointDocument(this)),
      m_grid(new PointGridView(m_document)), m_editActions(new EditActions(m_grid, this))
{
    setObjectName(QStringLiteral("EditorWindow"));
    buildMenus();

    m_grid->setObjectName(QStringLiteral("grid"));
    pointModel()->setHeaderLabels({QStringLiteral(" "), tr("Name"), tr("Y(Easting)"),
                                   tr("X(Northing)"), tr("H(Elevation)"), tr("Code")});
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("editorSplitter"));
    m_splitter->addWidget(m_grid);
    setCentralWidget(m_splitter);

    m_rowCount = new QLabel(this);
    m_rowCount->setObjectName(QStringLiteral("rowCount"));
    statusBar()->addWidget(m_rowCount);

    PointRecord first;
    first.number = QStringLiteral("1");
    pointModel()->append(first);
    m_grid->setAppendRowIndex(0);

    connect(m_document, &PointDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_document, &PointDocument::fileChanged, this, &EditorWindow::updateTitle);
    connect(m_grid, &PointGridView::contextMenuWanted, this, &EditorWindow::showContextMenu);
    connect(pointModel(), &QAbstractItemModel::rowsInserted, this, &EditorWindow::updateRowCount);
    connect(pointModel(), &QAbstractItemModel::rowsRemoved, this, &EditorWindow::updateRowCount);
    connect(pointModel(), &QAbstractItemModel::modelReset, this, &EditorWindow::updateRowCount);
    addPlanView();
    updateTitle();
    updateRowCount();
    AppSettings::restoreGeometry(this, kGeometryKey);
}

EditorWindow::~EditorWindow()
{
    // The grid and the plan go before the document they show.
    delete m_splitter;
}

QSize EditorWindow::sizeHint() const
{
    // Every column of the grid, its scroll bar and frame; the plan beside it.
    constexpr int kPlanWidth = 380;
    const int planWidth =
        m_plan && !m_plan->isHidden() ? kPlanWidth + m_splitter->handleWidth() : 0;
    return {qMax(760, m_grid->sizeHint().width()) + planWidth, 440};
}

void EditorWindow::buildMenus()
{
    QMenuBar *menuBar = this->menuBar();
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
    // Shortcuts of a menu not yet opened are not seen on every platform; the
    // window carries them as well.
    addActions({m_openAction, m_saveAction, m_saveAsAction, m_editActions->undo(),
                m_editActions->redo(), m_editActions->insertRow(), m_editActions->deleteRows(),
                m_editActions->copyRows()});
}

PointTableModel *EditorWindow::pointModel() const
{
    return m_document->model();
}

QString EditorWindow::currentFilePath() const
{
    return m_document->path();
}

QString EditorWindow::currentFileExt() const
{
    return m_document->extension();
}

CoordFormat EditorWindow::currentFormat() const
{
    return m_document->format();
}

bool EditorWindow::isModified() const
{
    return m_document->isModified();
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
        this, openFileTypes(), QStringLiteral("openDialog"), currentFilePath());
    if (!choice.accepted)
        return false;
    return openFile(choice.path);
}

bool EditorWindow::openFile(const QString &path)
{
    // Observations without coordinates are reduced after asking for the set-up.
    if (ObservationImport::wanted(path)) {
        return ObservationImport::open(*this, path);
    }
    // "POINTS.GSI" from a memory stick is read as "points.gsi" would be.
    const CoordFormat format =
        CoordFileIo::formatForExtension(CoordFileIo::extensionOf(path).toLower());
    const CoordReadResult result = m_document->read(path, format);

    const QString name = QDir::toNativeSeparators(path);
    switch (result.status) {
    case CoordReadResult::Status::Read:
        // Only a file that was read became the one Save writes to.
        m_grid->setAppendRowIndex(qMax(0, pointModel()->rowCount() - 1));
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
    if (!m_document->canSave())
        return runSaveAs();
    // Asked before anything is written: Cancel leaves the file as it was.
    if (!LossQuestion::confirm(this, *pointModel(), m_document->format(), m_document->rangeRule()))
        return false;
    return reportWrite(m_document->path(), m_document->save());
}

bool EditorWindow::runSaveAs()
{
    if (!commitPendingEdit())
        return false;
    const FileChoice choice =
        FileDialogs::saveFile(this, saveAsFileTypes(), QStringLiteral("gsi"),
                              QStringLiteral("saveAsDialog"), true, currentFilePath());
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
    if (!LossQuestion::confirm(this, *pointModel(), format, true))
        return false;
    // Once written, Save writes here, in the format chosen.
    return reportWrite(path, m_document->saveAs(path, format, crs));
}

void EditorWindow::updateTitle()
{
    const QString caption = ToolNames::editor();
    const QString path = currentFilePath();
    if (path.isEmpty())
        setWindowTitle(caption + QStringLiteral("[*]"));
    else
        setWindowTitle(QStringLiteral("%1[*] - %2").arg(QFileInfo(path).fileName(), caption));
    setWindowModified(isModified());
}

void EditorWindow::updateRowCount()
{
    m_rowCount->setText(tr("Rows: %1").arg(pointModel()->rowCount()));
}

void EditorWindow::runSettings()
{
    EditorSettingsDialog dialog(this);
    dialog.exec();
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    AppSettings::saveGeometry(this, kGeometryKey);
    event->accept();
}

void EditorWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape the grid did not take (an open cell takes it) closes the editor,
    // as it closed the dialog the editor was.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
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
    m_plan = new PlanView(pointModel(), m_grid->selectionModel(), this);
    m_splitter->addWidget(m_plan);
    // Every column of the grid in view; a wider window widens the plan, and
    // the grid gives up room only when the plan cannot.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setCollapsible(0, false);
    connect(m_plan, &PlanView::rowClicked, this,
            [this](int row) { m_grid->scrollTo(pointModel()->index(row, 1)); });
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
