#include "IdxReader.h"

#include "coordfiles/CommaTokenizer.h"
#include "coordfiles/FieldDecoder.h"
#include "coordfiles/LineScanner.h"

#include <QIODevice>

namespace {

constexpr int kIdxTokenCount = 6;

char charAt(QByteArrayView line, qsizetype index)
{
    return index < line.size() ? line[index] : '\0';
}

QByteArrayView skipLeadingBlanks(QByteArrayView token)
{
    qsizetype i = 0;
    while (i < token.size() && (token[i] == ' ' || token[i] == '\t'))
        ++i;
    return token.sliced(i);
}

QByteArrayView unquoted(QByteArrayView token)
{
    token = skipLeadingBlanks(token);
    if (token.startsWith('"'))
        token = token.sliced(1);
    if (token.endsWith('"'))
        token.chop(1);
    return token;
}

// A record ends in the terminator ';'; keyword lines such as THEMINFO do not.
bool endsWithTerminator(QByteArrayView line)
{
    qsizetype i = line.size();
    while (i > 0 && (line[i - 1] == ' ' || line[i - 1] == '\t'))
        --i;
    return i > 0 && line[i - 1] == ';';
}

} // namespace

bool IdxReader::readLine(QByteArrayView line, const FieldDecoder &decoder, PointRecord &point)
{
    if (line.size() < DelimitedReader::kMinLineLength)
        return false;
    const char c4 = charAt(line, 4);
    if (charAt(line, 0) == 'D') {
        m_state = IdxReadState::InDatabase;
        return false;
    }
    switch (m_state) {
    case IdxReadState::InPoints:
        // Only a keyword line such as THEMINFO ends the section: a record whose
        // point number begins with "T" (T1, a traverse station) is still a point.
        if (c4 == 'T' && !endsWithTerminator(line)) {
            m_state = IdxReadState::Outside;
            return false;
        }
        readPoint(line, decoder, point);
        return true;
    case IdxReadState::InDatabase:
        if (charAt(line, 2) == 'P')
            m_state = IdxReadState::InPoints;
        else if (c4 == 'T' || c4 == 'E')
            m_state = IdxReadState::Outside;
        return false;
    case IdxReadState::Outside:
        return false;
    }
    return false;
}

bool IdxReader::readLine(QByteArrayView line, PointRecord &point)
{
    return readLine(line, FieldDecoder(), point);
}

void IdxReader::readPoint(QByteArrayView line, const FieldDecoder &decoder,
                          PointRecord &point) const
{
    QByteArrayView t[kIdxTokenCount];
    CommaTokenizer::split(line, t, kIdxTokenCount);
    point.number = decoder.decode(skipLeadingBlanks(t[0]));
    point.name = decoder.decode(unquoted(t[1]));
    point.easting = decoder.decode(skipLeadingBlanks(t[3]));
    point.northing = decoder.decode(skipLeadingBlanks(t[4]));
    point.elevation = decoder.decode(skipLeadingBlanks(t[5]));
    point.code = decoder.decode(unquoted(t[2]));
}

DelimitedResult IdxReader::read(QIODevice &device, PointSink &sink)
{
    DelimitedResult result;
    sink.clear();
    IdxReader reader;
    LineScanner lines(device);
    QByteArrayView line;
    PointRecord point;
    bool decoderChosen = false;
    FieldDecoder decoder;
    while (lines.next(line)) {
        if (!decoderChosen) {
            decoder = FieldDecoder::forFirstLine(line);
            decoderChosen = true;
        }
        if (!reader.readLine(line, decoder, point))
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
