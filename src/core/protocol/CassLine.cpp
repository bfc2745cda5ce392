#include "protocol/CassLine.h"

#include "coordfiles/GsiWord.h"

namespace CassLine {

namespace {

struct Layout
{
    int nameStart;
    int nameWidth;
    int signPositions[3]; // second, third and fourth word; the data block follows the sign
    int blockWidth;
};

constexpr Layout kGsi8{7, 8, {22, 38, 54}, 8};
constexpr Layout kGsi16{8, 16, {31, 55, 79}, 16};

QByteArray value(QByteArrayView line, const Layout &layout, int word)
{
    const int sign = layout.signPositions[word];
    const double millimetres =
        gsi::decodeMillimetres(line.at(sign), line.sliced(sign + 1, layout.blockWidth));
    return gsi::formatMetres(millimetres, 3);
}

} // namespace

std::optional<QByteArray> fromGsiLine(QByteArrayView line)
{
    // The closing blank of the last word may be missing.
    const Layout *layout = nullptr;
    if (line.size() == 63 || line.size() == 64)
        layout = &kGsi8;
    else if (line.size() == 96 || line.size() == 97)
        layout = &kGsi16;
    if (!layout)
        return std::nullopt;

    QByteArray cass;
    cass.reserve(64);
    cass += gsi::stripLeadingZeros(line.sliced(layout->nameStart, layout->nameWidth));
    cass += ",,";
    // The third word (northing) comes before the second, as CASS files from
    // the instrument have always been written.
    cass += value(line, *layout, 1);
    cass += ',';
    cass += value(line, *layout, 0);
    cass += ',';
    cass += value(line, *layout, 2);
    cass += "\r\n";
    return cass;
}

} // namespace CassLine
