// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/IdxReader.h"

#include "core/coordfiles/FieldDecoder.h"
#include "core/coordfiles/LineScanner.h"

#include <QIODevice>
#include <QVarLengthArray>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// The keyword a line begins with ("POINTS", "END"); empty when the line
// begins otherwise (a record whose number is "T1" has none).
QByteArrayView keyword(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && isLetter(text[i]))
        ++i;
    if (i < text.size() && !isBlank(text[i]) && text[i] != '(')
        return QByteArrayView();
    return text.first(i);
}

bool sameName(QByteArrayView a, const char *b)
{
    return QByteArrayView(b).compare(a, Qt::CaseInsensitive) == 0;
}

QByteArrayView unquoted(QByteArrayView text)
{
    if (text.startsWith('"'))
        text = text.sliced(1);
    if (text.endsWith('"'))
        text.chop(1);
    return text;
}

// The fields of a line split at every ',' by position: an empty field keeps its place.
void splitFields(QByteArrayView line, QVarLengthArray<QByteArrayView, 16> &fields)
{
    fields.clear();
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = line.indexOf(',', start);
        if (comma < 0) {
            fields.append(trimmed(line.sliced(start)));
            return;
        }
        fields.append(trimmed(line.sliced(start, comma - start)));
        start = comma + 1;
    }
}

} // namespace

void IdxReader::setColumns(QByteArrayView list)
{
    static const char *const kNames[kFieldCount] = {"PointNo", "PointID",   "East",
                                                    "North",   "Elevation", "Code"};
    QVarLengthArray<QByteArrayView, 16> names;
    splitFields(list, names);
    for (int f = 0; f < kFieldCount; ++f) {
        m_column[f] = -1;
        for (int c = 0; c < names.size(); ++c) {
            if (sameName(names[c], kNames[f])) {
                m_column[f] = c;
                break;
            }
        }
    }
    m_columnCount = int(names.size());
}

IdxReader::Line IdxReader::readLine(QByteArrayView line, const FieldDecoder &decoder, qsizetype row,
                                    PointRecord &point)
{
    // Lines this short were never read, neither as keyword nor as record.
    if (line.size() < DelimitedReader::kMinLineLength)
        return Line::Keyword;
    QByteArrayView text = trimmed(line);
    if (text.isEmpty())
        return Line::Keyword;
    const QByteArrayView word = keyword(text);
    const bool record = text.endsWith(';');
    if (!m_inPoints) {
        if (sameName(word, "DATABASE")) {
            m_inDatabase = true;
        } else if (sameName(word, "END")) {
            if (sameName(keyword(trimmed(text.sliced(3))), "DATABASE"))
                m_inDatabase = false;
        } else if (m_inDatabase && sameName(word, "POINTS")) {
            m_inPoints = true;
            m_nested = 0;
            const qsizetype open = text.indexOf('(');
            const qsizetype close = text.lastIndexOf(')');
            if (open >= 0 && close > open)
                setColumns(text.sliced(open + 1, close - open - 1));
        }
        return Line::Keyword;
    }
    if (!record && !word.isEmpty()) {
        // A keyword line: the end of POINTS, or a section nested in it.
        if (sameName(word, "END")) {
            if (m_nested > 0)
                --m_nested;
            else if (sameName(keyword(trimmed(text.sliced(3))), "POINTS"))
                m_inPoints = false;
        } else {
            ++m_nested;
        }
        return Line::Keyword;
    }
    if (m_nested > 0)
        return Line::Keyword;
    if (!record)
        return Line::NotRecord;
    text.chop(1);
    QVarLengthArray<QByteArrayView, 16> fields;
    splitFields(text, fields);
    const auto field = [&](Field f) {
        const int c = m_column[f];
        return c >= 0 && c < fields.size() ? fields[c] : QByteArrayView();
    };
    if (field(kEasting).isEmpty() || field(kNorthing).isEmpty())
        return Line::NoValue;
    point.number =
        m_column[kNumber] >= 0 ? decoder.decode(field(kNumber)) : QString::number(row + 1);
    point.name = decoder.decode(unquoted(field(kName)));
    point.easting = decoder.decode(field(kEasting));
    point.northing = decoder.decode(field(kNorthing));
    point.elevation = decoder.decode(field(kElevation));
    point.code = decoder.decode(unquoted(field(kCode)));
    return Line::Point;
}

DelimitedResult IdxReader::read(QIODevice &device, PointSink &sink, SkippedLines *skipped)
{
    DelimitedResult result;
    sink.clear();
    IdxReader reader;
    LineScanner lines(device);
    QByteArrayView line;
    PointRecord point;
    bool decoderChosen = false;
    FieldDecoder decoder;
    SkippedLines counted;
    while (lines.next(line)) {
        if (!decoderChosen) {
            decoder = FieldDecoder::forFirstLine(line);
            decoderChosen = true;
        }
        switch (reader.readLine(line, decoder, result.pointCount, point)) {
        case Line::Keyword:
            break;
        case Line::NoValue:
            ++counted.noValue;
            break;
        case Line::NotRecord:
            ++counted.notRecord;
            break;
        case Line::Point:
            sink.append(point);
            ++result.pointCount;
            break;
        }
    }
    if (skipped)
        *skipped = counted;
    if (lines.failed()) {
        result.ok = false;
        result.error = device.errorString();
    }
    return result;
}
