// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the GSI word reader, the GSI-to-DXF run, the
// download's CASS conversion and the word decoder: none may crash, hang or
// read outside the line, and what they report must agree with what they did.
#include "core/coordfiles/GsiReader.h"
#include "core/coordfiles/GsiWord.h"
#include "core/coordfiles/LeadingNumber.h"
#include "core/coordfiles/PointRecord.h"
#include "core/dxf/DxfWriter.h"
#include "core/dxf/GsiToDxf.h"
#include "core/protocol/CassLine.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

namespace {

qsizetype emptyDrawingLines()
{
    static const qsizetype lines = [] {
        QByteArray bytes;
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        DxfWriter writer(out);
        writer.writePrologue();
        writer.writeEpilogue();
        writer.flush();
        return bytes.count('\n');
    }();
    return lines;
}

bool isNumberText(const QString &text)
{
    // Empty (no value) or what formatScaled prints: [-]digits.digits
    if (text.isEmpty())
        return true;
    qsizetype i = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('.') && !point)
            point = true;
        else if (!text[i].isDigit())
            return false;
    }
    return point;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        PointList points;
        const GsiReadResult result = GsiReader::read(in, points);
        if (result.points != points.pointCount())
            __builtin_trap();
        if ((result.form == GsiForm::None) != (result.points == 0))
            __builtin_trap();
        for (const PointRecord &p : points.points()) {
            if (!isNumberText(p.easting) || !isNumberText(p.northing) || !isNumberText(p.elevation))
                __builtin_trap();
        }
    }
    {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        QByteArray dxf;
        QBuffer out(&dxf);
        out.open(QIODevice::WriteOnly);
        const GsiToDxfResult result = GsiToDxf::convert(in, out);
        // Whatever the input, the drawing keeps its group structure: the
        // empty drawing's lines plus 24 per point, each ending in CR LF.
        if (dxf.count('\n') != emptyDrawingLines() + 24 * result.points ||
            dxf.count('\r') != dxf.count('\n'))
            __builtin_trap();
    }
    // Each line alone, as the download's CASS conversion sees it.
    for (const QByteArray &line : bytes.split('\n')) {
        GsiPointLine point;
        const GsiPointLine::Kind kind = GsiPointLine::decode(line, point);
        const auto cass = CassLine::fromGsiLine(line);
        if (cass.has_value() != (kind == GsiPointLine::Kind::Point))
            __builtin_trap();
        if (cass && (!cass->endsWith("\r\n") || cass->count('\n') != 1))
            __builtin_trap();
    }
    const QByteArrayView view(bytes);
    leadingNumber(view);
    if (!view.isEmpty()) {
        char text[48];
        gsi::formatMetres(gsi::decodeMillimetres(view[0], view.sliced(1)), 4, text);
        for (int decimals = 0; decimals <= 5; ++decimals)
            gsi::formatScaled(gsi::decodeMillimetres(view[0], view.sliced(1)), decimals, text);
    }
    return 0;
}
