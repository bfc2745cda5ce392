// SPDX-License-Identifier: GPL-3.0-or-later
#include "DelimitedIo.h"

#include "coordfiles/CommaTokenizer.h"
#include "coordfiles/FieldDecoder.h"
#include "coordfiles/LineEncoder.h"
#include "coordfiles/LineScanner.h"

#include "text/CodePage.h"

#include <QIODevice>

DelimitedResult DelimitedReader::read(QIODevice &device, PointSink &sink, RowBuilder builder)
{
    DelimitedResult result;
    sink.clear();
    LineScanner lines(device);
    QByteArrayView line;
    QByteArrayView tokens[kTokenCount];
    PointRecord point;
    bool decoderChosen = false;
    FieldDecoder decoder;
    while (lines.next(line)) {
        if (!decoderChosen) {
            decoder = FieldDecoder::forFirstLine(line);
            decoderChosen = true;
        }
        if (line.size() < kMinLineLength)
            continue;
        splitTokens(line, tokens);
        if (!builder(tokens, result.pointCount, decoder, point))
            continue;
        sink.append(point);
        ++result.pointCount;
    }
    if (lines.failed()) {
        result.ok = false;
        result.error = device.errorString();
    }
    return result;
}

bool DelimitedReader::parseLine(QByteArrayView line, qsizetype row, RowBuilder builder,
                                PointRecord &point)
{
    if (line.size() < kMinLineLength)
        return false;
    QByteArrayView tokens[kTokenCount];
    splitTokens(line, tokens);
    return builder(tokens, row, FieldDecoder(), point);
}

void DelimitedReader::splitTokens(QByteArrayView line, QByteArrayView *tokens)
{
    // Every line the writers produce has all five fields, empty ones included
    // ("1,A,300.2,500.1," for a point without elevation). Collapsing those
    // would move later fields into the empty one's column, so such a line is
    // read by position; other lines keep the collapsing tokenizer.
    if (!CommaTokenizer::splitFields(line, tokens, kTokenCount))
        CommaTokenizer::split(line, tokens, kTokenCount);
}

void DelimitedReader::shiftWhenFifthMissing(QByteArrayView *tokens)
{
    // Only a missing fifth token shifts, not one that stands empty in its place.
    if (!tokens[4].isNull())
        return;
    tokens[4] = tokens[3];
    tokens[3] = tokens[2];
    tokens[2] = tokens[1];
    tokens[1] = QByteArrayView();
}

DelimitedResult DelimitedWriter::write(QIODevice &device, const PointSource &points,
                                       LineBuilder builder, QByteArrayView header,
                                       QByteArrayView trailer)
{
    constexpr qsizetype kBytesPerLine = 64;
    DelimitedResult result;
    const qsizetype count = points.pointCount();
    BufferedWriter out(device, header.size() + count * kBytesPerLine + trailer.size());
    out.append(header);
    LineEncoder line(out.buffer());
    for (qsizetype row = 0; row < count; ++row) {
        builder(points.point(row), line);
        out.flushIfFull();
    }
    out.append(trailer);
    if (!out.finish()) {
        result.ok = false;
        result.error = out.errorString();
        return result;
    }
    result.pointCount = count;
    return result;
}

QByteArray DelimitedWriter::formatLine(const PointRecord &point, LineBuilder builder)
{
    QByteArray bytes;
    LineEncoder line(bytes);
    builder(point, line);
    return bytes;
}

BufferedWriter::BufferedWriter(QIODevice &device, qsizetype sizeHint) : m_device(device)
{
    m_buffer.reserve(qMin(sizeHint, kBlockSize) + 1024);
}

void BufferedWriter::append(QByteArrayView bytes)
{
    m_buffer.append(bytes);
    flushIfFull();
}

void BufferedWriter::flushIfFull()
{
    if (m_buffer.size() >= kBlockSize)
        flush();
}

void BufferedWriter::flush()
{
    if (m_buffer.isEmpty() || m_failed)
        return;
    if (m_device.write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_buffer.resize(0);
}

bool BufferedWriter::finish()
{
    flush();
    return !m_failed;
}

QString BufferedWriter::errorString() const
{
    return m_device.errorString();
}
