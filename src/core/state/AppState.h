// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/TransferKinds.h"
#include "core/serial/CommSettings.h"

#include <QString>

// What the user chose, shared by the windows and their dialogs: the interface
// language, the line settings and the manager's selection. One AppState lives
// for the whole run and is passed by reference.

// What the user chose in the manager's trees and dialogs, for the dialogs
// that follow. The conversation's own state belongs to the engine.
struct ManagerSelection
{
    int jobNumber = 0; // 1..17, the chosen instrument item (download, erase); 0 none
    DataKind dataKind = DataKind::FixPoints; // the kind of the chosen point item
    QString countText; // count text of the chosen item, as the instrument sent it
    QString jobName;   // the chosen job's name: the download's default file name
    QString portLabel; // text of the port root when a point item was chosen
    QString pcPath;    // download: destination folder; upload: source file
    DownloadFormat downloadFormat = DownloadFormat::Gsi; // the last download's data type
};

struct AppState
{
    int UiLanguage = 0; // 0 English, 1 Chinese
    CommSettings commSettings;
    ManagerSelection selection;
};
