// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/DelimitedIo.h"

#include "core/coordfiles/CommaTokenizer.h"
#include "core/coordfiles/FieldDecoder.h"
#include "core/coordfiles/LineEncoder.h"
#include "core/coordfiles/LineScanner.h"

#include "core/text/CodePage.h"

#include <QIODevice>

int DelimitedLayout::indexOf(Column column) const
{
    for (int i = 0; i < count; ++i) {
        if (columns[i] == column)
            return i;
    }
    return -1;
}

DelimitedResult DelimitedReader::read(QIODevice &device, PointSink &sink,
                                      const DelimitedLayout &layout)
{
    DelimitedResult result;
    sink.clear();
    LineScanner lines(device);
    QByteArrayView line;
    QByteArrayView tokens[DelimitedLayout::kMaxColumns];
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
        splitTokens(layout, line, tokens);
        if (!buildRow(layout, tokens, result.pointCount, decoder, point))
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

bool DelimitedReader::parseLine(const DelimitedLayout &layout, QByteArrayView line, qsizetype row,
                                PointRecord &point)
{
    if (line.size() < kMinLineLength)
        return false;
    QByteArrayView tokens[DelimitedLayout::kMaxColumns];
    splitTokens(layout, line, tokens);
    return buildRow(layout, tokens, row, FieldDecoder(), point);
}

void DelimitedReader::splitTokens(const DelimitedLayout &layout, QByteArrayView line,
                                  QByteArrayView *tokens)
{
    // Every line the writers produce has all its fields, empty ones included
    // ("1,A,300.2,500.1," for a point without elevation). Collapsing those
    // would move later fields into the empty one's column, so such a line is
    // read by position; other lines keep the collapsing tokenizer.
    // A blank-separated layout takes any run of blanks and tabs between its
    // fields, as such files are written by hand and by other programs; a line
    // with single blanks only is read by position like the others.
    const bool blanks = layout.separator == ' ';
    if ((!blanks || !line.contains('\t')) &&
        CommaTokenizer::splitFields(line, tokens, layout.count, layout.separator))
        return;
    if (blanks)
        CommaTokenizer::splitBlanks(line, tokens, layout.count);
    else
        CommaTokenizer::split(line, tokens, layout.count, layout.separator);
}

bool DelimitedReader::buildRow(const DelimitedLayout &layout, QByteArrayView *t, qsizetype row,
                               const FieldDecoder &decoder, PointRecord &point)
{
    // Only a missing last token shifts, not one that stands empty in its place.
    const int last = layout.count - 1;
    if (layout.omitted >= 0 && t[last].isNull()) {
        for (int i = last; i > layout.omitted; --i)
            t[i] = t[i - 1];
        t[layout.omitted] = QByteArrayView();
    }
    bool hasEasting = false;
    bool hasNorthing = false;
    for (int i = 0; i < layout.count; ++i) {
        if (layout.columns[i] == DelimitedLayout::Easting)
            hasEasting = !t[i].isEmpty();
        else if (layout.columns[i] == DelimitedLayout::Northing)
            hasNorthing = !t[i].isEmpty();
    }
    if (!hasEasting || !hasNorthing)
        return false;
    point = PointRecord();
    bool numbered = false;
    for (int i = 0; i < layout.count; ++i) {
        switch (layout.columns[i]) {
        case DelimitedLayout::Number:
            point.number = decoder.decode(t[i]);
            numbered = true;
            break;
        case DelimitedLayout::Name:
            point.name = decoder.decode(t[i]);
            break;
        case DelimitedLayout::Easting:
            point.easting = decoder.decode(t[i]);
            break;
        case DelimitedLayout::Northing:
            point.northing = decoder.decode(t[i]);
            break;
        case DelimitedLayout::Elevation:
            point.elevation = decoder.decode(t[i]);
            break;
        case DelimitedLayout::Code:
            point.code = decoder.decode(t[i]);
            break;
        }
    }
    if (!numbered)
        point.number = QString::number(row + 1);
    return true;
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

DelimitedResult DelimitedWriter::write(QIODevice &device, const PointSource &points,
                                       const DelimitedLayout &layout)
{
    constexpr qsizetype kBytesPerLine = 64;
    DelimitedResult result;
    const qsizetype count = points.pointCount();
    BufferedWriter out(device, count * kBytesPerLine);
    LineEncoder line(out.buffer());
    for (qsizetype row = 0; row < count; ++row) {
        appendLine(layout, points.point(row), line);
        out.flushIfFull();
    }
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

QByteArray DelimitedWriter::formatLine(const DelimitedLayout &layout, const PointRecord &point)
{
    QByteArray bytes;
    LineEncoder line(bytes);
    appendLine(layout, point, line);
    return bytes;
}

void DelimitedWriter::appendLine(const DelimitedLayout &layout, const PointRecord &p,
                                 LineEncoder &line)
{
    for (int i = 0; i < layout.count; ++i) {
        if (i > 0)
            line.character(layout.separator);
        switch (layout.columns[i]) {
        case DelimitedLayout::Number:
            line.field(p.number);
            break;
        case DelimitedLayout::Name:
            line.field(p.name);
            break;
        case DelimitedLayout::Easting:
            line.field(p.easting);
            break;
        case DelimitedLayout::Northing:
            line.field(p.northing);
            break;
        case DelimitedLayout::Elevation:
            line.field(p.elevation);
            break;
        case DelimitedLayout::Code:
            line.field(p.code);
            break;
        }
    }
    line.literal("\r\n");
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
