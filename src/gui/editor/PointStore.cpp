// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/PointStore.h"

#include <cstring>

namespace {

bool fitsLatin1(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

int clampedLength(const QString &text)
{
    return int(qMin<qsizetype>(text.size(), PointStore::kMaxFieldLength));
}

// Whether text is the decimal of value, without building a string for it.
bool isDecimalOf(const QString &text, qsizetype value)
{
    if (text.isEmpty() || text.size() > 19 || text.front() == QLatin1Char('0'))
        return false;
    qsizetype parsed = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        parsed = parsed * 10 + (c.unicode() - '0');
    }
    return parsed == value;
}

} // namespace

PointStore::PointStore() = default;

void PointStore::clear()
{
    std::vector<Row>().swap(m_rows);
    m_chunks.clear();
    m_chunkUsed = 0;
    m_wasted = 0;
}

void PointStore::append(const PointRecord &point)
{
    m_rows.push_back(encode(point, size()));
}

void PointStore::insert(qsizetype row, const PointRecord &point)
{
    const Row encoded = encode(point, row);
    m_rows.insert(m_rows.begin() + row, encoded);
}

void PointStore::insert(qsizetype row, const QVector<PointRecord> &points)
{
    std::vector<Row> encoded;
    encoded.reserve(size_t(points.size()));
    for (const PointRecord &point : points)
        encoded.push_back(encode(point, row + qsizetype(encoded.size())));
    m_rows.insert(m_rows.begin() + row, encoded.begin(), encoded.end());
}

void PointStore::remove(qsizetype row, qsizetype count)
{
    const auto first = m_rows.begin() + row;
    for (auto it = first; it != first + count; ++it)
        m_wasted += bytesOf(*it);
    m_rows.erase(first, first + count);
    compactIfWasteful();
}

qsizetype PointStore::bytesOf(const Row &row)
{
    qsizetype bytes = 0;
    for (quint16 length : row.length)
        bytes += length;
    return (row.offset & kWideFlag) ? bytes * 2 : bytes;
}

PointRecord PointStore::at(qsizetype row) const
{
    PointRecord point;
    for (int column = 0; column < PointRecord::kFieldCount; ++column)
        point.field(column) = field(row, column);
    return point;
}

QString PointStore::field(qsizetype row, int column) const
{
    const Row &r = m_rows[size_t(row)];
    if (column == 0 && (r.offset & kNumberFollowsRow))
        return QString::number(row + 1);
    const bool wide = r.offset & kWideFlag;
    quint64 offset = r.offset & kOffsetMask;
    for (int i = 0; i < column; ++i)
        offset += quint64(r.length[i]) * (wide ? 2 : 1);
    const int length = r.length[column];
    if (length == 0)
        return QString();
    const char *bytes = bytesAt(offset);
    if (!wide)
        return QString::fromLatin1(bytes, length);
    QString text(length, Qt::Uninitialized);
    std::memcpy(text.data(), bytes, size_t(length) * 2);
    return text;
}

void PointStore::setField(qsizetype row, int column, const QString &text)
{
    PointRecord point = at(row);
    point.field(column) = text;
    m_wasted += bytesOf(m_rows[size_t(row)]);
    m_rows[size_t(row)] = encode(point, row);
    compactIfWasteful();
}

qsizetype PointStore::textBytes() const
{
    if (m_chunks.empty())
        return 0;
    return qsizetype(m_chunks.size() - 1) * kChunkSize + m_chunkUsed;
}

PointStore::Row PointStore::encode(const PointRecord &point, qsizetype at)
{
    Row row;
    bool wide = false;
    qsizetype total = 0;
    const bool numberFollows = isDecimalOf(point.number, at + 1);
    for (int column = numberFollows ? 1 : 0; column < PointRecord::kFieldCount; ++column) {
        const QString &text = point.field(column);
        row.length[column] = quint16(clampedLength(text));
        total += row.length[column];
        wide = wide || !fitsLatin1(text);
    }
    if (wide)
        total *= 2;
    char *out = reserveBytes(total, &row.offset);
    for (int column = numberFollows ? 1 : 0; column < PointRecord::kFieldCount; ++column) {
        const QString &text = point.field(column);
        const int length = row.length[column];
        if (wide) {
            std::memcpy(out, text.constData(), size_t(length) * 2);
            out += length * 2;
        } else {
            const QChar *chars = text.constData();
            for (int i = 0; i < length; ++i)
                *out++ = char(chars[i].unicode());
        }
    }
    if (wide)
        row.offset |= kWideFlag;
    if (numberFollows)
        row.offset |= kNumberFollowsRow;
    return row;
}

const char *PointStore::bytesAt(quint64 offset) const
{
    return m_chunks[size_t(offset / kChunkSize)].get() + offset % kChunkSize;
}

char *PointStore::reserveBytes(qsizetype count, quint64 *offset)
{
    // A row never straddles two chunks, so each field is one contiguous run.
    if (m_chunks.empty() || m_chunkUsed + count > kChunkSize) {
        if (!m_chunks.empty())
            m_wasted += kChunkSize - m_chunkUsed;
        m_chunks.emplace_back(new char[size_t(kChunkSize)]);
        m_chunkUsed = 0;
    }
    *offset = quint64(m_chunks.size() - 1) * kChunkSize + quint64(m_chunkUsed);
    char *out = m_chunks.back().get() + m_chunkUsed;
    m_chunkUsed += count;
    return out;
}

void PointStore::compactIfWasteful()
{
    // Edits leave their old texts behind; repack once they dominate the store.
    if (m_wasted < 8 * kChunkSize || m_wasted < textBytes() / 2)
        return;
    PointStore packed;
    packed.reserve(size());
    for (qsizetype row = 0; row < size(); ++row)
        packed.append(at(row));
    *this = std::move(packed);
}
