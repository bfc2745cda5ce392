// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/CsvWriter.h"

#include <QIODevice>

namespace {

void appendUtf8(QByteArray &out, const QString &text)
{
    const qsizetype n = text.size();
    const qsizetype start = out.size();
    out.resize(start + n);
    char *p = out.data() + start;
    const ushort *in = text.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        if (in[i] >= 0x80) {
            out.truncate(start);
            out.append(text.toUtf8());
            return;
        }
        p[i] = char(in[i]);
    }
}

void appendField(QByteArray &out, const QString &text)
{
    bool needsQuotes = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == ',' || u == '"' || u == '\r' || u == '\n') {
            needsQuotes = true;
            break;
        }
    }
    if (!needsQuotes) {
        appendUtf8(out, text);
        return;
    }
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    out.append('"');
    appendUtf8(out, escaped);
    out.append('"');
}

} // namespace

DelimitedResult CsvWriter::write(QIODevice &device, const PointSource &points)
{
    constexpr qsizetype kBytesPerLine = 48;
    DelimitedResult result;
    const qsizetype count = points.pointCount();
    BufferedWriter out(device, count * kBytesPerLine + 64);
    out.append("\xEF\xBB\xBFName,Code,East,North,Elevation\r\n");
    for (qsizetype row = 0; row < count; ++row) {
        const PointRecord p = points.point(row);
        QByteArray &buffer = out.buffer();
        appendField(buffer, p.name);
        buffer.append(',');
        appendField(buffer, p.code);
        buffer.append(',');
        appendField(buffer, p.easting);
        buffer.append(',');
        appendField(buffer, p.northing);
        buffer.append(',');
        appendField(buffer, p.elevation);
        buffer.append("\r\n");
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
