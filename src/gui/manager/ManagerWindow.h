#pragma once

#include "ManagerTexts.h"

#include <QDialog>

struct AppState;
class CommSettingsDialog;
class InstrumentTree;
class PcTree;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

// TQDLGCOM1, the data exchange manager: the instrument's job store on the
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

    enum class Command { Move, Delete, Rename, Exit, Statusbar, FileInfo, PortSettings, About };
    QAction *action(Command command) const;

    // Opens TQCOMCHK modally; it edits CommSettings directly.
    void openPortSettings();

Q_SIGNALS:
    // Emitted with each settings dialog before it runs (tests answer it).
    void settingsDialogOpened(CommSettingsDialog *dialog);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildMenus();
    void buildLayout();
    void openingSequence(const Options &options);

    AppState &m_state;
    ManagerTexts m_texts;
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
    QLineEdit *m_statusFields[3] = {};
};
