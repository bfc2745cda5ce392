// SPDX-License-Identifier: GPL-3.0-or-later
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

// Messages the manager and its dialogs show, in the language UiLanguage
// selects. Reasons handed up by the engine or the port stay English inside
// them; "Open Port Fail!", "Communication Err,Please Check Port!" and
// "Please Sellect Right File!" are the instrument's own and are not here.
struct ManagerMessages
{
    // Download dialog
    QString chooseFolderFirst;
    QString enterFileName;
    QString fileNameNamesFolder; // %1: the name typed
    QString chooseDataType;
    QString replaceFile;     // %1: path
    QString downloadRefused; // %1: engine's reason
    // Upload and new-name dialogs
    QString uploadRefused; // %1: engine's reason
    QString enterJobName;
    QString jobNameBadChars;
    QString jobNameRefused; // %1: engine's reason
    // Erase
    QString selectJobFirst;
    QString eraseQuestion; // %1: slot label and job name, e.g. "JobList 3:ROAD1"
    QString eraseRefused;  // %1: engine's reason
    // PC side
    QString cannotDelete;         // %1: node text or path
    QString deleteFolderQuestion; // %1: path, %2: number of entries
    QString deleteFailed;         // %1: paths, one a line
    QString pathMissing;          // %1: path
    QString isProgram;            // %1: path
    // Connection and transfers
    QString openPortReason;         // %1: port's reason, the line under "Open Port Fail!"
    QString linkLost;               // %1: port's reason
    QString transferFailed;         // %1: engine's reason
    QString transferIncomplete;     // %1: how the transfer ended and what became of the file
    QString linkLostDuringTransfer; // %1: the same, for a transfer the lost link cut off
    QString connectFirst;
    QString closeConnectedQuestion;

    static ManagerMessages forLanguage(int uiLanguage);
};
