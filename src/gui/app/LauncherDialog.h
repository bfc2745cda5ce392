// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

struct AppState;
class QPushButton;

// The launcher: three picture buttons, one per tool, and EXIT. It decides the
// interface language from Language.txt in the working directory when built,
// installs its translation and sets AppState::UiLanguage.
class LauncherDialog : public QDialog
{
    Q_OBJECT
public:
    // Each opens its tool modally over the launcher and returns when it has
    // closed. A tool without a function keeps its button disabled.
    struct Tools
    {
        std::function<void(QWidget *launcher)> openManager;
        std::function<void(QWidget *launcher)> openEditor;
        std::function<void(QWidget *launcher)> openConverter;
    };

    // languageFolder: where Language.txt is looked up; empty means the
    // working directory, the only place a normal start looks.
    LauncherDialog(AppState &state, Tools tools, QWidget *parent = nullptr,
                   const QString &languageFolder = QString());

    QPushButton *managerButton() const { return m_managerButton; }
    QPushButton *editorButton() const { return m_editorButton; }
    QPushButton *converterButton() const { return m_converterButton; }
    QPushButton *exitButton() const { return m_exitButton; }

    // Width a title bar needs to show title whole: the text in a bold
    // caption font, with room for the window manager's icon and buttons.
    static int titleBarWidth(const QString &title);

Q_SIGNALS:
    // Emitted once, after the first paint; start-up timing listens for it.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void openManager();
    void openEditor();
    void openConverter();

    AppState &m_state;
    Tools m_tools;
    QPushButton *m_managerButton = nullptr;
    QPushButton *m_editorButton = nullptr;
    QPushButton *m_converterButton = nullptr;
    QPushButton *m_exitButton = nullptr;
    bool m_painted = false;
};
