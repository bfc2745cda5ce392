// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

// Reads the file of one upload line by line and shapes each line as it goes on
// the wire: 97 characters for GSI-16 (first character "*"), 64 for GSI-8
// (first character "1", character 63 a blank), short lines filled with blanks.
// A GSI file whose every line keeps these rules is sent byte for byte as it
// stands; any other coordinate file the editor opens (ORB, SOUTH, TOPCON, IDX,
// GSI in other forms) is sent as the GSI-16 lines Save as would write for its
// points (name, E, N, H).
class UploadReader
{
public:
    // How an upload candidate's content decides whether it may be sent.
    enum class FileCheck {
        Accepted,
        NotGsi,         // no coordinate file by its extension: ignored silently
        WrongFirstLine, // "Please Sellect Right File!": no point to send
        Refused,        // points that cannot be sent without loss; see the reason
        Missing,        // no such file
        NotAFile,       // a folder or another thing that is no regular file
        Unreadable,     // exists but cannot be opened; see the reason
    };

    struct Inspection
    {
        FileCheck check = FileCheck::WrongFirstLine;
        bool converted = false; // sent as GSI-16 lines made from its points
        qsizetype lines = 0;    // lines to send
        QString reason;         // Refused, Unreadable or WrongFirstLine: why, rows named
        QString note;           // accepted with a remark (values sent as 0, skipped lines)
        // Points whose code stays behind: the instrument's coordinate line holds
        // the name, easting, northing and height only. The note says so.
        qsizetype codesNotSent = 0;
    };

    // strictGsi8: the PC Move command wants GSI-8 files to begin with "11";
    // a drop accepts any first character "1".
    static Inspection inspect(const QString &path, bool strictGsi8);
    static FileCheck checkFile(const QString &path, bool strictGsi8)
    {
        return inspect(path, strictGsi8).check;
    }

    struct Next
    {
        enum class Status {
            Line,    // bytes holds the line to send (without end mark)
            End,     // end of the file: send the SUB
            Stopped, // a line of neither form (or too long) ends the upload early
        };
        Status status = Status::End;
        QByteArray bytes;
        int lineNumber = 0; // the file's line (from 1) read for this result
        QString reason;     // Stopped: why
    };

    // Opens the file to send: as it stands or converted, as inspect() decides.
    bool open(const QString &path);
    // Opens the file to send its lines as they stand, whatever they hold.
    bool openAsItStands(const QString &path);
    bool isOpen() const { return m_file.isOpen() || m_converted; }
    Next next();
    void close();

    static constexpr int kMaxLine = 98; // longer lines end the upload
    static constexpr int kGsi16Length = 97;
    static constexpr int kGsi8Length = 64;

private:
    bool restIsBlank();
    Next nextConverted();

    QFile m_file;
    int m_lineNumber = 0;
    bool m_converted = false;
    QList<QByteArray> m_lines; // converted mode: the lines still to send
    qsizetype m_sent = 0;
};
