#pragma once

#include <QString>

// Captions of the manager window and its menus, in the language UiLanguage
// selects. "Filter：" and "Ready" are the same in both languages.
struct ManagerTexts
{
    QString caption;
    QString fileMenu, viewMenu, optionsMenu, helpMenu;
    QString move, del, rename, exit, statusbar, fileInfo, portSettings, about;
    // Pop-up menus of the two trees.
    QString copy, popupMove, popupDelete, popupFileInfo;

    static QString filterLabel() { return QStringLiteral("Filter："); }
    static QString readyText() { return QStringLiteral("Ready"); }

    static ManagerTexts forLanguage(int uiLanguage);
};
