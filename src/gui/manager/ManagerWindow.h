// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/TransferTypes.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>

struct AppState;
class CommSettingsDialog;
class DownloadDialog;
class DragTree;
class EditorWindow;
class FilePreview;
class UploadDialog;
class ConversationEngine;
class InstrumentSession;
class ProgressDialog;
class QTreeWidget;
class QTreeWidgetItem;
class WaitDialog;
class InstrumentTree;
class PcTree;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QMimeData;
class QPushButton;

// The data exchange manager: the instrument's job store on the
// left, the PC's folders on the right, the path fields above them and the
// picture buttons for download, erase and the port settings.
class ManagerWindow : public QDialog
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

    explicit ManagerWindow(AppState &state, QWidget *parent = nullptr);
    ManagerWindow(AppState &state, const Options &options, QWidget *parent = nullptr);
    ~ManagerWindow() override;

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

    enum class Command { Move, Delete, Rename, Exit, Statusbar, FileInfo, PortSettings, About };
    QAction *action(Command command) const;

    ConversationEngine &engine() const;

    // Opens the communication settings dialog modally; it edits CommSettings directly.
    void openPortSettings();
    // Double-click on a port root: opens the port, sends "a" and waits for
    // the job directory in the wait dialog.
    void connectInstrument();
    // Escape and the close button: with a connection open, only after asking;
    // the connection is then closed.
    void reject() override;
    // Editors opened from here close first; one that keeps unsaved points
    // (the user said so) keeps the manager open too.
    void done(int result) override;

    // Commands of the menus, pop-up menus and picture buttons.
    void downloadCommand();   // instrument Move: the selected point item
    void eraseCommand();      // instrument Delete: the job last selected
    void pcMoveCommand();     // PC Move: upload the selected file (strict rule)
    void pcDeleteCommand();   // PC Delete: the selected file or folder
    void pcFileInfoCommand(); // PC File Info: open with the associated program
    // PC Open in editor: the selected coordinate file in a coordinate editor
    // beside the manager; the connection stays open.
    void pcOpenInEditorCommand();
    void openInEditor(const QString &path);
    // A file the coordinate editor reads, by its extension.
    static bool isCoordinateFile(const QString &path);

    // The pop-up menus of the two trees, in the window's language.
    QMenu *makePcMenu(QWidget *parent);
    QMenu *makeInstrumentMenu(QWidget *parent);
    // Pop-up Copy on the PC tree: the selected file or folder goes to the
    // clipboard as a file, ready to be pasted in a file manager.
    void pcCopyCommand();
    // The second line under "Please Sellect Right File!": the files an upload takes.
    static QString acceptedFilesText();

Q_SIGNALS:
    void downloadDialogOpened(DownloadDialog *dialog);
    void uploadDialogOpened(UploadDialog *dialog);
    // Emitted with each dialog before it runs (tests answer them).
    void settingsDialogOpened(CommSettingsDialog *dialog);
    void waitDialogOpened(WaitDialog *dialog);
    void progressDialogOpened(ProgressDialog *dialog);
    // An editor opened from the manager, shown beside it (not modal).
    void editorOpened(EditorWindow *editor);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // A drag between the trees may end anywhere in the window: the release
    // drops on the node last highlighted in the other tree.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildMenus();
    bool closeEditors();
    void buildLayout();
    void openingSequence(const Options &options);
    void connectSession();
    void recordPcSelection(const QString &path);
    void onInstrumentDoubleClicked(QTreeWidgetItem *item);
    // Enter on a tree node: what a double-click on it does.
    void activateCurrentNode(QTreeWidget *tree);
    // The path field and the selection record follow the current node's new text.
    void refreshInstrumentSelection();
    void onInstrumentSelectionChanged(QTreeWidgetItem *current);
    void onJobTableChanged(bool fullRead);
    void onJobSlotRenamed(int jobNumber);
    void onFileAdded(const QString &path);
    void onLinkLost(const QString &reason);
    void onConnectionClosed();
    void onTransferFinished(const TransferResult &result);
    void onPcDoubleClicked(QTreeWidgetItem *item);
    // After an upload cancelled part-way: the lines sent can be erased.
    void offerEraseAfterCancel(const TransferResult &result);
    // The status bar's boxes: the connection and the port in use.
    void updateStatusFields();
    void startDownload();
    void startUpload(bool strictGsi8);
    QString confirmDownload(const DownloadRequest &request);
    QString confirmUpload(const UploadRequest &request);
    // The tree a drag carried by mime is headed for; none for another program's.
    DragTree *dropTreeOf(const QMimeData *mime) const;
    void onPcNodeDropped(QTreeWidgetItem *target);
    void onInstrumentNodeDropped(QTreeWidgetItem *target);
    void onPcContextMenu(const QPoint &pos);
    void onInstrumentContextMenu(const QPoint &pos);
    void connectCommands();
    void showStatusBar(bool shown);
    void applyFilter(int index);
    void showAbout();
    // Runs the progress dialog for the transfer just started; destination is
    // the download's folder or the upload's job name.
    void runProgress(const QString &destination);

    AppState &m_state;
    Options m_options;
    std::unique_ptr<InstrumentSession> m_session;
    QPointer<WaitDialog> m_wait;
    QPointer<ProgressDialog> m_progress;
    QString m_pendingNote; // how a transfer ended, told once its progress dialog has closed
    // An upload cancelled after some lines, offered for erasing once its
    // progress dialog has closed.
    std::optional<TransferResult> m_cancelledUpload;
    // What the user chose for the upload under way: its job and whether the
    // job held points that stay (append) or went first (replace).
    struct UploadChoice
    {
        int jobIndex = -1;
        int pointsBefore = 0;
        bool replaced = false;
    } m_uploadChoice;
    QMenuBar *m_menuBar = nullptr;
    QList<QMenu *> m_menus;
    QHash<int, QAction *> m_actions;
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
