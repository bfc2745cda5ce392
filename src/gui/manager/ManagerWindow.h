// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/manager/ManagerController.h"
#include "gui/manager/ManagerPrompts.h"

#include <QDialog>
#include <QPointer>

#include <memory>

struct AppState;
class DragTree;
class FilePreview;
class InstrumentTree;
class PcTree;
class ProgressDialog;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QMimeData;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class WaitDialog;

// The data exchange manager: the instrument's job store on the left, the
// PC's folders on the right, the path fields above them and the picture
// buttons for download, erase and the port settings. What the commands do is
// the controller's; the window lays out, feeds the trees from the
// controller's signals and opens the dialogs it asks for.
class ManagerWindow : public QDialog, private ManagerPrompts
{
    Q_OBJECT
public:
    struct Options
    {
        // Drive nodes under "My Computer"; empty means the platform's.
        QStringList drives;
        // A device that stands for the port (the demo instrument's pty);
        // empty: the port PortNumber names.
        QString devicePath;
        // The engine's ticks and the wait dialog's patience; tests shorten them.
        int engineTickMs = 500;
        int waitTickMs = 1000;
    };
    using Command = ManagerController::Action;

    explicit ManagerWindow(AppState &state, QWidget *parent = nullptr);
    ManagerWindow(AppState &state, const Options &options, QWidget *parent = nullptr);
    ~ManagerWindow() override;

    ManagerController &controller() const { return *m_controller; }
    QAction *action(Command command) const { return m_controller->action(command); }

    InstrumentTree *instrumentTree() const { return m_instrumentTree; }
    PcTree *pcTree() const { return m_pcTree; }
    QLineEdit *instrumentPathField() const { return m_instrumentPath; }
    QLineEdit *pcPathField() const { return m_pcPath; }
    QComboBox *filterBox() const { return m_filter; }
    QMenuBar *menuBar() const { return m_menuBar; }
    QPushButton *downloadButton() const { return m_downloadButton; }
    QPushButton *eraseButton() const { return m_eraseButton; }
    QPushButton *settingsButton() const { return m_settingsButton; }
    QLineEdit *statusField(int index) const { return m_statusFields[index]; }
    // The row under the trees that View > Statusbar shows and hides.
    QWidget *statusBar() const { return m_statusBar; }
    FilePreview *filePreview() const { return m_preview; }
    // The wait and progress dialogs while they are open, else null.
    WaitDialog *waitDialog() const;
    ProgressDialog *progressDialog() const;

    // Escape and the close button: with a connection open, only after asking;
    // the connection is then closed.
    void reject() override;
    // Editors opened from here close first; one that keeps unsaved points
    // (the user said so) keeps the manager open too.
    void done(int result) override;

    // The PC side's commands: they act on the PC tree's selected node.
    void pcDeleteCommand();   // the selected file or folder
    void pcFileInfoCommand(); // open with the associated program
    // The selected coordinate file in a coordinate editor beside the
    // manager; the connection stays open.
    void pcOpenInEditorCommand();
    void openInEditor(const QString &path);
    // The selected file or folder goes to the clipboard as a file, ready to
    // be pasted in a file manager.
    void pcCopyCommand();
    // A file the coordinate editor reads, by its extension.
    static bool isCoordinateFile(const QString &path);
    static QString acceptedFilesText() { return ManagerController::acceptedFilesText(); }

    // The pop-up menus of the two trees, in the window's language.
    QMenu *makePcMenu(QWidget *parent);
    QMenu *makeInstrumentMenu(QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // A drag between the trees may end anywhere in the window: the release
    // drops on the node last highlighted in the other tree.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // ManagerPrompts
    void tell(const QString &text, Messages::Kind kind) override;
    bool ask(const QString &question) override;
    int choose(const QString &text, const QStringList &choices, int defaultChoice) override;
    bool askDownload(const DownloadConfirm &confirm) override;
    bool askUpload(const JobTable &jobs, const UploadConfirm &confirm) override;
    void editPortSettings() override;

    void buildMenus();
    void buildLayout();
    void fillViews(const Options &options);
    void connectController();
    void connectViews();
    bool closeEditors();
    void recordPcSelection(const QString &path);
    void onInstrumentDoubleClicked(QTreeWidgetItem *item);
    // Enter on a tree node: what a double-click on it does.
    void activateCurrentNode(QTreeWidget *tree);
    // The path field and the controller's selection follow the current node.
    void onInstrumentSelectionChanged(QTreeWidgetItem *current);
    void onJobTableChanged(bool fullRead);
    void onJobSlotRenamed(int jobNumber, const QString &name);
    void onFileAdded(const QString &path);
    void onConnectionClosed();
    void onPcDoubleClicked(QTreeWidgetItem *item);
    void openWaitDialog();
    void openProgressDialog(const ProgressInfo &info);
    // The status bar's boxes: the connection and the port in use.
    void updateStatusFields();
    // The tree a drag carried by mime is headed for; none for another program's.
    DragTree *dropTreeOf(const QMimeData *mime) const;
    void onPcNodeDropped(QTreeWidgetItem *target);
    void onInstrumentNodeDropped(QTreeWidgetItem *target);
    void onPcContextMenu(const QPoint &pos);
    void onInstrumentContextMenu(const QPoint &pos);
    void applyFilter(int index);

    AppState &m_state;
    Options m_options;
    std::unique_ptr<ManagerController> m_controller;
    QPointer<WaitDialog> m_wait;
    QPointer<ProgressDialog> m_progress;
    QMenuBar *m_menuBar = nullptr;
    QPushButton *m_downloadButton = nullptr;
    QPushButton *m_eraseButton = nullptr;
    QPushButton *m_settingsButton = nullptr;
    QComboBox *m_filter = nullptr;
    QLineEdit *m_instrumentPath = nullptr;
    QLineEdit *m_pcPath = nullptr;
    InstrumentTree *m_instrumentTree = nullptr;
    PcTree *m_pcTree = nullptr;
    QLabel *m_ready = nullptr;
    FilePreview *m_preview = nullptr;
    QLineEdit *m_statusFields[3] = {};
    QWidget *m_statusBar = nullptr;
};
