#include "GsiReader.h"

#include "LineScanner.h"
#include "PointRecord.h"
#include "text/CodePage.h"

#include <QFile>

namespace {

// Of longer lines only this much is kept: enough to see that they fail the
// tests and to read their blocks.
constexpr qsizetype kKeep = 100;

struct Layout
{
    int nameOffset;
    int blockOffset[3];
    int width;
};

constexpr Layout kGsi16 = {8, {32, 56, 80}, 16};
constexpr Layout kGsi8 = {7, {23, 39, 55}, 8};

QByteArrayView part(QByteArrayView line, qsizetype offset, qsizetype width)
{
    if (offset >= line.size())
        return QByteArrayView();
    return line.sliced(offset, qMin(width, line.size() - offset));
}

bool beginsPointLine(QByteArrayView line, GsiForm form)
{
    return !line.isEmpty() && line[0] == (form == GsiForm::Gsi16 ? '*' : '1');
}

QString metresText(char sign, QByteArrayView block)
{
    if (block.isEmpty())
        return QString();
    char text[48];
    const int n = gsi::formatMetres(gsi::decodeMillimetres(sign, block), 3, text);
    return QString::fromLatin1(text, n);
}

} // namespace

GsiPointLine GsiPointLine::split(QByteArrayView line, GsiForm form)
{
    const Layout &layout = form == GsiForm::Gsi8 ? kGsi8 : kGsi16;
    GsiPointLine point;
    point.name = part(line, layout.nameOffset, layout.width);
    for (int i = 0; i < 3; ++i) {
        const int offset = layout.blockOffset[i];
        point.block[i] = part(line, offset, layout.width);
        if (offset - 1 < line.size())
            point.sign[i] = line[offset - 1];
    }
    return point;
}

GsiForm GsiReader::classify(QByteArrayView line)
{
    if (line.size() == 97 && line[0] == '*' && line[96] == ' ')
        return GsiForm::Gsi16;
    if (line.size() >= 2 && line.size() <= 64 && line[0] == '1' && line[1] == '1')
        return GsiForm::Gsi8;
    return GsiForm::None;
}

GsiReadResult GsiReader::scan(QIODevice &device,
                              const std::function<void(const GsiPointLine &)> &onPoint)
{
    GsiReadResult result;
    LineScanner lines(device, kKeep);
    QByteArrayView line;
    if (lines.next(line))
        result.form = classify(line);
    if (result.form == GsiForm::None) {
        if (lines.failed())
            result.error = device.errorString();
        return result;
    }
    const GsiForm form = result.form;
    for (;;) {
        GsiPointLine point = GsiPointLine::split(line, form);
        point.number = ++result.points;
        onPoint(point);
        if (classify(line) != form) {
            // A point line of the wrong length ends the reading after itself.
            if (!lines.restIsBlank()) {
                result.complete = false;
                result.stopLine = lines.lineNumber() + 1;
            }
            break;
        }
        if (!lines.next(line))
            break;
        if (!beginsPointLine(line, form)) {
            const qsizetype at = lines.lineNumber();
            const bool blankLine = line.trimmed().isEmpty();
            if (!blankLine || !lines.restIsBlank()) {
                result.complete = false;
                result.stopLine = at;
            }
            break;
        }
    }
    if (lines.failed())
        result.error = device.errorString();
    return result;
}

GsiReadResult GsiReader::read(QIODevice &device, PointSink &sink)
{
    const CodePage &page = CodePage::ansi();
    return scan(device, [&](const GsiPointLine &p) {
        if (p.number == 1)
            sink.clear();
        PointRecord record;
        record.number = QString::number(p.number);
        record.name = page.decode(gsi::stripLeadingZeros(p.name));
        record.easting = metresText(p.sign[0], p.block[0]);
        record.northing = metresText(p.sign[1], p.block[1]);
        record.elevation = metresText(p.sign[2], p.block[2]);
        sink.append(record);
    });
}

GsiReadResult GsiReader::read(const QString &path, PointSink &sink)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        GsiReadResult result;
        result.opened = false;
        result.error = file.errorString();
        return result;
    }
    return read(file, sink);
}
