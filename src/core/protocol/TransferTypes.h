// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/TransferKinds.h"

#include <QCoreApplication>
#include <QMetaType>
#include <QString>

// What the download dialog decided. The engine makes the file name safe and
// adds the data type's extension (ConversationEngine::downloadFilePath).
struct DownloadRequest
{
    int jobNumber = 0; // 1..17
    DataKind dataKind = DataKind::FixPoints;
    DownloadFormat format = DownloadFormat::Gsi; // of coordinates; observations are always GSI
    QString folder;                              // destination folder
    QString fileName;       // without extension, as typed (defaults to the job's name)
    bool overwrite = false; // the user agreed to replace an existing file of that name
    // CASS: northing before easting (name,code,N,E,H), the column order rqtcom
    // wrote before; by default easting comes first, as every CASS reader expects.
    bool cassNorthingFirst = false;
};

// What the upload dialog (and, for an "<empty>" slot, the new-name dialog) decided.
struct UploadRequest
{
    int jobNumber = 0;  // 1..17; 0 when no slot was chosen
    QString filePath;   // the GSI file to send
    QString newJobName; // only for a slot whose name is "<empty>"
    // The job's coordinates are erased before the first line, so the file
    // replaces them; otherwise its points follow those already in the job.
    bool replaceExisting = false;
};

// How a download or an upload ended: what the window or the command line
// tells the user, once, and what became of the file.
struct TransferResult
{
    Q_DECLARE_TR_FUNCTIONS(TransferResult)

public:
    enum class Kind { Download, Upload };
    enum class Outcome {
        Complete,   // every line arrived or was sent
        EndedEarly, // the instrument or the file had fewer lines than expected (reason says why)
        Failed,     // the file could not be written or read, or another command took over
        Cancelled,  // the user cancelled
        LinkLost,   // the port failed under the transfer
    };

    Kind kind = Kind::Download;
    Outcome outcome = Outcome::Complete;
    QString path;             // the file written (download) or read (upload)
    int linesTransferred = 0; // data lines stored or sent
    int expectedLines = -1;   // lines the job's count or the file promised; -1 unknown
    int stoppedAtLine = 0;    // upload ended early: the file's line (from 1) that ended it
    QString reason;           // why it did not complete; empty when it did
    // Download: the file is in place under its name. Upload: lines reached the instrument.
    bool fileKept = false;
    // A download that would have replaced a file: the old file is still there.
    bool existingFileKept = false;
    int skippedLines = 0; // CASS download: received lines of no known length, not stored

    bool complete() const { return outcome == Outcome::Complete; }
    // One sentence or two for the user: what happened and what became of the file.
    QString report() const;
};

// What a transfer has done so far: everything its result reports besides
// how it ended.
struct TransferTally
{
    TransferResult::Kind kind = TransferResult::Kind::Download;
    QString path;
    int lines = 0;             // data lines stored or sent
    int expected = -1;         // lines the job's count or the file promised; -1 unknown
    int skipped = 0;           // CASS download: lines of no known length, not stored
    int stoppedAtLine = 0;     // upload: the file's line that ended it
    bool replacesFile = false; // download: a file of that name was there before

    // The one place a transfer's result is made. fileInPlace: a download's
    // file was put in place under its name.
    TransferResult result(TransferResult::Outcome outcome, const QString &reason,
                          bool fileInPlace = false) const;
};

Q_DECLARE_METATYPE(TransferResult)
