// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/text/NameEncoding.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One job line of the instrument's directory, split into its four fields.
// The fields keep the instrument's line end where it falls (normally at the
// end of the measurement count), as the directory has always been read.
struct DirectoryLine
{
    QString name;             // "<empty>" when the line starts with a comma
    QString second;           // read, not kept in the job table
    QString fixPointCount;    // text as sent
    QString measurementCount; // text as sent, usually followed by the line end
    // The reply filled the reply limit, so its end may be lost: the counts
    // cannot be trusted.
    bool cut = false;

    // Splits like a string tokenizer at ",": a run of commas is one separator,
    // missing fields are empty. Bytes are decoded with the read page of the
    // user's name encoding.
    static DirectoryLine parse(QByteArrayView reply,
                               NameEncoding::Choice encoding = NameEncoding::Automatic);
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
    QList<bool> CutLines;          // the job's directory line was cut at the reply limit

    // The longest job name, in bytes of the instrument's code page, whose
    // directory line still fits one reply: the line (name, the format field,
    // two counts, three commas and the line end) must stay below the reply
    // limit, or it is cut and its counts are lost.
    static constexpr int kMaxJobNameBytes = 478;

    JobTable(); // 17 empty texts in every list, no line cut

    void store(int index, const DirectoryLine &line);

    static QString emptyName() { return QStringLiteral("<empty>"); }
    // "JobList 1:" for index 0 up to "JobList 17:" for index 16.
    static QString slotLabel(int index);
    // The integer a count text begins with (leading blanks, optional sign,
    // digits); 0 when there is none.
    static int leadingCount(const QString &countText);
    // The text without the CR/LF characters the instrument's line end left in it.
    static QString withoutLineEnd(const QString &text);
    // The number a count field holds when it is nothing but decimal digits
    // (blanks and the line end around them aside); nullopt otherwise.
    static std::optional<int> plainCount(const QString &countText);
    // The fixed-point count of the job at index, which a coordinate download
    // needs; nullopt with *error set when the directory line was cut or the
    // field is not a plain number (a name holding a comma shifts the fields).
    std::optional<int> coordinateCount(int index, QString *error) const;
};
