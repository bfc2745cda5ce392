// Feeds arbitrary bytes to the GSI reader, the GSI-to-DXF run and the word
// decoder: none may crash, hang or read outside the line.
#include "coordfiles/GsiReader.h"
#include "coordfiles/GsiWord.h"
#include "coordfiles/LeadingNumber.h"
#include "coordfiles/PointRecord.h"
#include "dxf/GsiToDxf.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        PointList points;
        const GsiReadResult result = GsiReader::read(in, points);
        if (result.points != points.pointCount() && result.form != GsiForm::None)
            __builtin_trap();
    }
    {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        QByteArray dxf;
        QBuffer out(&dxf);
        out.open(QIODevice::WriteOnly);
        const GsiToDxfResult result = GsiToDxf::convert(in, out);
        // Whatever the input, the drawing keeps its group structure: 86 lines
        // plus 24 per point, each ending in CR LF.
        if (dxf.count('\n') != 86 + 24 * result.points || dxf.count('\r') != dxf.count('\n'))
            __builtin_trap();
    }
    const QByteArrayView view(bytes);
    leadingNumber(view);
    if (!view.isEmpty()) {
        char text[48];
        gsi::formatMetres(gsi::decodeMillimetres(view[0], view.sliced(1)), 4, text);
    }
    return 0;
}
