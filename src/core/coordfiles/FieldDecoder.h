// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

// Turns the bytes of one field into text. Files are in the ANSI code page; a file
// that starts with a UTF-8 byte-order mark was saved as UTF-8 (typically by a
// spreadsheet or a text editor), and its fields are read as such.
class FieldDecoder
{
public:
    explicit FieldDecoder(bool utf8 = false) : m_utf8(utf8) {}

    QString decode(QByteArrayView bytes) const;

    // For the first line of a file: removes a UTF-8 byte-order mark from line and
    // returns the decoder the file's fields need.
    static FieldDecoder forFirstLine(QByteArrayView &line);

private:
    bool m_utf8;
};
