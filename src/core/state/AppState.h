#pragma once

#include <QString>
#include <QtGlobal>

// Process-wide values shared by the windows, the conversation engine and the
// dialogs. One AppState lives for the whole run and is passed by reference;
// field names are the names the rest of the code and the docs use.

// Line settings of the link to the instrument. All zero at start; never saved.
struct CommSettings
{
    int PortNumber = 0;         // COM1..COM16 as 1..16; 0: not yet known
    int BaudIndex = 0;          // 0 19200, 1 9600, 2 4800, 3 1200; other: keep line settings
    int EndMarkIndex = 0;       // 0: commands end in CR LF; 1: in CR
    quint8 ReplyTerminator = 0; // last byte of a complete reply: 10 or 13
};

// Values the manager, its dialogs and the progress dialogs hand to each other
// around a transfer. The open download file and upload stream are owned by the
// conversation engine, one per transfer.
struct TransferState
{
    int TransferKind = 0;    // 0 nothing, 1 awaiting first answer, 3 download, 4 upload into a
                             // newly named job, 5 upload into an existing job, 6 close
    int ConnectProgress = 0; // 32 once the opening conversation has read the directory
    int TransferBlock = 0;   // last data line sent or received
    int TransferDone = 0;    // 1 when the running transfer has ended
    quint8 JobNumber = 0;    // 1..17, the chosen instrument item (download, erase)
    int JobDataKind = 0;     // 0 FixPoints item, 1 MeasurementPoints item
    int UploadJobIndex = 0;  // 0..16, chosen in the upload dialog
    QString JobBlockCount;   // count text of the chosen item
    int DataTypeIndex = 0;   // 0 GSI, 1 IDEX, 2 CASS
    QString PcPath;          // download: destination folder; upload: source file
    QString JobName;         // download: file name without extension
    QString PortLabel;       // text of the port root when a point item was chosen
};

struct AppState
{
    int UiLanguage = 0; // 0 English, 1 Chinese
    CommSettings commSettings;
    TransferState transfer;
};
