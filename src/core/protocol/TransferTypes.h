#pragma once

#include <QMetaType>
#include <QString>

// What the download dialog decided. The engine makes the file name safe and
// adds the data type's extension (DownloadTarget::filePath).
struct DownloadRequest
{
    int jobNumber = 0;      // 1..17
    int dataKind = 0;       // 0 coordinates (FixPoints), 1 observations (MeasurementPoints)
    int dataTypeIndex = 0;  // coordinates: 0 GSI, 1 IDEX, 2 CASS; observations are always GSI
    QString folder;         // destination folder
    QString fileName;       // without extension, as typed (defaults to the job's name)
    bool overwrite = false; // the user agreed to replace an existing file of that name
};

// What the upload dialog (and, for an "<empty>" slot, the new-name dialog) decided.
struct UploadRequest
{
    int jobIndex = -1;  // 0..16; -1 when no slot was chosen
    QString filePath;   // the GSI file to send
    QString newJobName; // only for a slot whose name is "<empty>"
};

// How a transfer ended, for the window's or the command line's closing message.
struct TransferSummary
{
    enum class Kind { Download, Upload };

    Kind kind = Kind::Download;
    QString path;             // the file written (download) or read (upload)
    int linesTransferred = 0; // data lines stored or sent
    int expectedLines = -1;   // coordinate download: the job's count; otherwise -1
    int stoppedAtLine = 0;    // upload ended early: the file's line (from 1) that ended it
    QString note;             // why it ended short; empty when it ran to its normal end

    bool complete() const { return note.isEmpty(); }
};

Q_DECLARE_METATYPE(TransferSummary)
