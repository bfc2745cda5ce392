// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/PointRecord.h"

#include <QString>
#include <QVector>
#include <QtGlobal>

#include <memory>
#include <vector>

// Row storage of the editor's grid. A million points held as six QStrings each
// would cost several hundred megabytes of small heap blocks, so each row keeps
// its six texts packed back to back in large chunks: one byte per character when
// every character fits Latin-1 (the usual case for coordinates), two otherwise.
//
// A row whose number is its position (1 for the first row) keeps no number of
// its own: it shows the position it has now, so rows inserted or deleted above
// renumber those below without a pass over them. A number a file gave that is
// not the row's position stays as it was.
class PointStore
{
public:
    // A cell longer than this keeps only its first kMaxFieldLength characters.
    static constexpr int kMaxFieldLength = 0xFFFF;

    PointStore();

    qsizetype size() const { return qsizetype(m_rows.size()); }
    void clear();
    void reserve(qsizetype rows) { m_rows.reserve(size_t(rows)); }

    void append(const PointRecord &point);
    void insert(qsizetype row, const PointRecord &point);
    void insert(qsizetype row, const QVector<PointRecord> &points);
    // Removes count rows from row on; their texts count as waste until repacked.
    void remove(qsizetype row, qsizetype count);

    PointRecord at(qsizetype row) const;
    QString field(qsizetype row, int column) const;
    bool isEmptyField(qsizetype row, int column) const
    {
        const Row &r = m_rows[size_t(row)];
        return r.length[column] == 0 && !(column == 0 && (r.offset & kNumberFollowsRow));
    }
    // True when row's number is its position rather than a number of its own.
    bool numberFollowsRow(qsizetype row) const
    {
        return m_rows[size_t(row)].offset & kNumberFollowsRow;
    }
    void setField(qsizetype row, int column, const QString &text);

    // Bytes held for texts, including space left behind by edited rows.
    qsizetype textBytes() const;

private:
    struct Row
    {
        // Position in the chunk sequence and the two flags above it.
        quint64 offset = 0;
        quint16 length[PointRecord::kFieldCount] = {};
    };
    static constexpr quint64 kWideFlag = quint64(1) << 63;         // two bytes a character
    static constexpr quint64 kNumberFollowsRow = quint64(1) << 62; // number: row + 1
    static constexpr quint64 kOffsetMask = ~(kWideFlag | kNumberFollowsRow);
    static constexpr qsizetype kChunkSize = qsizetype(4) << 20;

    // row: where the point goes, which decides whether its number is its position.
    Row encode(const PointRecord &point, qsizetype row);
    static qsizetype bytesOf(const Row &row);
    const char *bytesAt(quint64 offset) const;
    char *reserveBytes(qsizetype count, quint64 *offset);
    void compactIfWasteful();

    std::vector<Row> m_rows;
    std::vector<std::unique_ptr<char[]>> m_chunks;
    qsizetype m_chunkUsed = 0;
    qsizetype m_wasted = 0;
};
