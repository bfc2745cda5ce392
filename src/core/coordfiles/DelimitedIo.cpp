#include "DelimitedIo.h"

#include "coordfiles/CommaTokenizer.h"
#include "coordfiles/FieldDecoder.h"
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
        CommaTokenizer::split(line, tokens, kTokenCount);
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
    CommaTokenizer::split(line, tokens, kTokenCount);
    return builder(tokens, row, FieldDecoder(), point);
}

void DelimitedReader::shiftWhenFifthMissing(QByteArrayView *tokens)
{
    if (!tokens[4].isEmpty())
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
    DelimitedResult result;
    BufferedWriter out(device);
    out.append(header);
    const CodePage &ansi = CodePage::ansi();
    QString line;
    const qsizetype count = points.pointCount();
    for (qsizetype row = 0; row < count; ++row) {
        line.resize(0);
        builder(points.point(row), line);
        out.append(ansi.encode(line));
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
    QString line;
    builder(point, line);
    return CodePage::ansi().encode(line);
}

BufferedWriter::BufferedWriter(QIODevice &device) : m_device(device) {}

void BufferedWriter::append(QByteArrayView bytes)
{
    m_buffer.append(bytes);
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
