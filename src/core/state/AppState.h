// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/NameEncoding.h"

#include <QString>
#include <QtGlobal>

// What the user chose, shared by the windows and their dialogs: the interface
// language, the line settings and the manager's selection. One AppState lives
// for the whole run and is passed by reference.

// Line settings of the link to the instrument. All zero at start; the manager
// restores the speed, end mark and name encoding the user last confirmed.
struct CommSettings
{
    int PortNumber = 0;         // COM1..COM16 as 1..16; 0: not yet known
    int BaudIndex = 0;          // 0 19200, 1 9600, 2 4800, 3 1200; other: keep line settings
    int EndMarkIndex = 0;       // 0: commands end in CR LF; 1: in CR
    quint8 ReplyTerminator = 0; // last byte of a complete reply: 10 or 13
    // Decodes the job names of the directory and encodes new ones.
    NameEncoding::Choice JobNameEncoding = NameEncoding::Automatic;
};

// What the user chose in the manager's trees and dialogs, for the dialogs
// that follow. The conversation's own state belongs to the engine.
struct ManagerSelection
{
    int jobNumber = 0;     // 1..17, the chosen instrument item (download, erase); 0 none
    int dataKind = 0;      // 0 FixPoints item, 1 MeasurementPoints item
    QString countText;     // count text of the chosen item, as the instrument sent it
    QString jobName;       // the chosen job's name: the download's default file name
    QString portLabel;     // text of the port root when a point item was chosen
    QString pcPath;        // download: destination folder; upload: source file
    int dataTypeIndex = 0; // the last download's data type: 0 GSI, 1 IDEX, 2 CASS
};

struct AppState
{
    int UiLanguage = 0; // 0 English, 1 Chinese
    CommSettings commSettings;
    ManagerSelection selection;
};
