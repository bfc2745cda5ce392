#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Reads the GSI file of one upload line by line and shapes each line as it goes
// on the wire: 97 characters for GSI-16 (first character "*"), 64 for GSI-8
// (first character "1", character 63 a blank), short lines filled with blanks.
class UploadReader
{
public:
    // How an upload candidate's first line decides whether it may be sent.
    enum class FileCheck {
        Accepted,
        NotGsi,         // extension is not exactly "gsi": ignored silently
        WrongFirstLine, // "Please Sellect Right File!"
    };
    // strictGsi8: the PC Move command wants GSI-8 files to begin with "11";
    // a drop accepts any first character "1".
    static FileCheck checkFile(const QString &path, bool strictGsi8);

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

    bool open(const QString &path);
    bool isOpen() const { return m_file.isOpen(); }
    Next next();
    void close() { m_file.close(); }

    static constexpr int kMaxLine = 98; // longer lines end the upload
    static constexpr int kGsi16Length = 97;
    static constexpr int kGsi8Length = 64;

private:
    bool restIsBlank();

    QFile m_file;
    int m_lineNumber = 0;
};
