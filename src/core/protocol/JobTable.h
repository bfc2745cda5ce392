// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// One job line of the instrument's directory, split into its four fields.
// The fields keep the instrument's line end where it falls (normally at the
// end of the measurement count), as the directory has always been read.
struct DirectoryLine
{
    QString name;             // "<empty>" when the line starts with a comma
    QString second;           // read, not kept in the job table
    QString fixPointCount;    // text as sent
    QString measurementCount; // text as sent, usually followed by the line end

    // Splits like a string tokenizer at ",": a run of commas is one separator,
    // missing fields are empty. Bytes are decoded with the ANSI code page.
    static DirectoryLine parse(QByteArrayView reply);
};

// The instrument's 17 jobs as the last directory read reported them, plus the
// slot labels and names the upload dialogs list. Index 0 is job 1.
struct JobTable
{
    static constexpr int kJobCount = 17;

    QStringList JobNames;          // first field of the job line, or "<empty>"
    QStringList FixPointCounts;    // third field, as text
    QStringList MeasurementCounts; // fourth field, as text
    QStringList JobSlotLabels;     // "JobList 1:" .. "JobList 17:" once the opening read ends
    QStringList JobSlotNames;      // copies of JobNames from the opening read; the
                                   // new-name step overwrites one entry

    JobTable(); // 17 empty texts in every list

    void store(int index, const DirectoryLine &line);

    static QString emptyName() { return QStringLiteral("<empty>"); }
    // "JobList 1:" for index 0 up to "JobList 17:" for index 16.
    static QString slotLabel(int index);
    // The integer a count text begins with (leading blanks, optional sign,
    // digits); 0 when there is none.
    static int leadingCount(const QString &countText);
    // The text without the CR/LF characters the instrument's line end left in it.
    static QString withoutLineEnd(const QString &text);
};
