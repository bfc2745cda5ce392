// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/GsiReader.h"

#include "core/coordfiles/LineScanner.h"
#include "core/coordfiles/PointRecord.h"
#include "core/text/AsciiText.h"
#include "core/text/CodePage.h"

#include <QFile>

#include <charconv>
#include <cmath>

namespace {

constexpr int kInfoLength = 7; // word index, four information characters, sign
constexpr double kLargestCount = 1e16;

bool onlyBlanks(QByteArrayView text)
{
    return gsi::isBlankText(text);
}

} // namespace

GsiValue GsiValue::fromWord(QByteArrayView word)
{
    GsiValue value;
    value.present = true;
    value.unit = gsi::unitOf(word[5]);
    const QByteArrayView block = word.sliced(kInfoLength);
    value.noValue = gsi::isNoValue(block);
    if (!value.noValue)
        value.count = gsi::decodeMillimetres(word[6], block);
    return value;
}

int GsiValue::text(char *out, int minDecimals) const
{
    if (!hasValue())
        return 0;
    const int decimals = qMax(unit.decimals, minDecimals);
    // More decimals than the unit has: the count scaled up is still whole.
    double scaled = count;
    for (int i = unit.decimals; i < decimals; ++i)
        scaled *= 10;
    return gsi::formatScaled(scaled, decimals, out);
}

GsiPointLine::Kind GsiPointLine::decode(QByteArrayView line, GsiPointLine &point)
{
    if (onlyBlanks(line))
        return Kind::Blank;
    point.form = line[0] == '*' ? GsiForm::Gsi16 : GsiForm::Gsi8;
    point.name = QByteArrayView();
    for (GsiValue &v : point.value)
        v = GsiValue();
    bool named = false;
    const bool words = gsi::forEachWord(line, [&](int index, QByteArrayView word) {
        if (index == 11 && !named) {
            point.name = word.sliced(kInfoLength);
            named = true;
        } else if (index >= 81 && index <= 83 && !point.value[index - 81].present) {
            point.value[index - 81] = GsiValue::fromWord(word);
            // Digits fill at most 16 places; an exponent in a block is no number of GSI's.
            if (!(std::fabs(point.value[index - 81].count) < kLargestCount))
                return false;
        }
        return true;
    });
    if (!words)
        return Kind::NotRecord;
    if (!point.value[0].present || !point.value[1].present)
        return Kind::NoCoordinates;
    for (const GsiValue &v : point.value) {
        if (v.present && !v.unit.known)
            return Kind::UnknownUnit;
    }
    return Kind::Point;
}

GsiReadResult GsiReader::scan(QIODevice &device,
                              const std::function<void(const GsiPointLine &)> &onPoint)
{
    GsiReadResult result;
    LineScanner lines(device, kMaxLine, true);
    QByteArrayView line;
    GsiPointLine point;
    bool first = true;
    while (lines.next(line)) {
        if (first && line.startsWith("\xEF\xBB\xBF"))
            line = line.sliced(3); // a byte-order mark some editors put first
        first = false;
        const GsiPointLine::Kind kind = line.size() >= kMaxLine ? GsiPointLine::Kind::NotRecord
                                                                : GsiPointLine::decode(line, point);
        switch (kind) {
        case GsiPointLine::Kind::Blank:
            break;
        case GsiPointLine::Kind::NoCoordinates:
            ++result.skipped.noCoordinates;
            break;
        case GsiPointLine::Kind::NotRecord:
            ++result.skipped.notRecord;
            break;
        case GsiPointLine::Kind::UnknownUnit:
            ++result.skipped.unknownUnit;
            break;
        case GsiPointLine::Kind::Point:
            if (result.form == GsiForm::None)
                result.form = point.form;
            for (const GsiValue &v : point.value)
                result.feet = result.feet || (v.present && v.unit.feet);
            point.number = ++result.points;
            onPoint(point);
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
    PointRecord record;
    return scan(device, [&](const GsiPointLine &p) {
        if (p.number == 1)
            sink.clear();
        char text[48];
        const auto number = std::to_chars(text, text + sizeof text, p.number);
        assignAscii(record.number, QByteArrayView(text, number.ptr - text));
        const QByteArrayView name = gsi::stripLeadingZeros(p.name);
        if (!assignAscii(record.name, name))
            record.name = page.decode(name);
        QString *const fields[3] = {&record.easting, &record.northing, &record.elevation};
        for (int i = 0; i < 3; ++i)
            assignAscii(*fields[i], QByteArrayView(text, p.value[i].text(text)));
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
