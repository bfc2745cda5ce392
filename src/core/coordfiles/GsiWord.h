// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

class CodePage;

// The two GSI word widths a coordinate file uses.
enum class GsiVariant { Gsi16, Gsi8 };

// Encoding and decoding of single GSI words: the one place that knows how a
// data block holds a coordinate or a point name. The file reader, the file
// writer, the DXF converter and the download's CASS conversion all go through
// these functions.
namespace gsi {

constexpr int blockWidth(GsiVariant variant)
{
    return variant == GsiVariant::Gsi16 ? 16 : 8;
}

constexpr int integerDigits(GsiVariant variant)
{
    return blockWidth(variant) - 3;
}

// Millimetres held by a coordinate word. sign is the character of the word's
// sign position ('-' makes the value negative); block is its data block, whose
// own '-' is honoured too, at its start ("-0001234") or after the leading zeros
// ("0000-1234", as older files were written). Anything else in the block is
// read with the leading-number conversion; an empty block gives 0.
double decodeMillimetres(char sign, QByteArrayView block);

inline double decodeMetres(char sign, QByteArrayView block)
{
    return decodeMillimetres(sign, block) / 1000.0;
}

// "%.<decimals>f" of millimetres / 1000, in the C locale whatever the user's
// locale. Writes into out, which needs 48 bytes, and returns the length.
int formatMetres(double millimetres, int decimals, char *out);
QByteArray formatMetres(double millimetres, int decimals);

// The unit of a coordinate word (81 to 83), from its unit digit: the last of
// the four information characters.
struct GsiUnit
{
    bool known = false; // false: a digit that is no length unit (an angle's, say)
    int decimals = 3;   // of the value in metres or feet: the block counts 10^-decimals
    bool feet = false;
};
// '0' or '.' mm, '6' 1/10 mm, '8' 1/100 mm, '1' 1/1000 ft, '7' 1/10000 ft.
GsiUnit unitOf(char unitDigit);

// A block that holds nothing but dashes or blanks after its leading zeros
// ("00000000000-----", "--------", blanks) carries no value.
bool isNoValue(QByteArrayView block);

// count / 10^decimals with exactly that many decimals, in the C locale. Exact
// for whole counts below 10^15. out needs 48 bytes; returns the length.
int formatScaled(double count, int decimals, char *out);

// A cell that holds nothing but blanks: written as the empty value.
bool isEmptyField(QStringView text);

// The empty value a writer puts into a block: dashes.
void writeNoValue(char *sign, char *block, int width);

// The name block read back: leading '0' characters removed.
QByteArrayView stripLeadingZeros(QByteArrayView block);

// Outcome of encoding one coordinate.
enum class Encoded {
    Value,      // written as given
    OutOfRange, // the range rule replaced it by 0
    DoesNotFit  // its whole metres need more digits than the block has; written as 0
};

// What encodeCoordinate would make of v, without writing anything: the one
// place that decides whether a coordinate survives the range rule and the
// block's width.
Encoded coordinateOutcome(double v, GsiVariant variant, bool rangeRule);

// Whether the name, in the given code page, fits a block of width bytes
// whole; a longer one would be cut by encodeName.
bool nameFits(QStringView name, const CodePage &page, int width);

// Writes v metres into block (blockWidth bytes) and the word's sign position,
// rounded to the nearest millimetre (a half away from zero: 88.5537 is
// 88554 mm, -12.3456 is -12346 mm).
// With rangeRule, values not strictly inside +-10^9 (GSI-16) or +-10^5 (GSI-8)
// are written as 0. A negative value puts '-' into the sign position.
Encoded encodeCoordinate(double v, GsiVariant variant, bool rangeRule, char *sign, char *block);

// Writes the name right-aligned into block (width bytes), '0'-filled on the
// left, in the given code page. A name too long for the block keeps as many
// of its first characters as fit whole.
void encodeName(QStringView name, const CodePage &page, char *block, int width);

// Blanks, tabs, end-of-file marks and NULs: what may close a line after its words.
inline bool isBlankText(QByteArrayView text)
{
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\x1a' && c != '\0')
            return false;
    }
    return true;
}

// Word index, four information characters and the sign come before a word's block.
constexpr qsizetype kWordInfoLength = 7;

// Walks the words of one GSI line (without its line end): GSI-16 when it begins
// with "*", else GSI-8; words separated by one blank, the closing blank
// optional. Calls onWord(index, word) for each word, word holding its
// information characters, sign and block; onWord returns false to stop.
// Returns false when the line is no sequence of GSI words or onWord stopped.
// The coordinate reader and the observation reader both read lines this way.
template <typename OnWord> bool forEachWord(QByteArrayView line, OnWord &&onWord)
{
    const bool wide = !line.isEmpty() && line[0] == '*';
    const qsizetype wordLength =
        kWordInfoLength + blockWidth(wide ? GsiVariant::Gsi16 : GsiVariant::Gsi8);
    qsizetype pos = wide ? 1 : 0;
    while (pos < line.size()) {
        if (isBlankText(line.sliced(pos)))
            break; // the closing blank, or a few
        const QByteArrayView word = line.sliced(pos, qMin(wordLength, line.size() - pos));
        if (word.size() < kWordInfoLength || word[0] < '0' || word[0] > '9' || word[1] < '0' ||
            word[1] > '9')
            return false;
        pos += word.size();
        if (pos < line.size()) {
            if (line[pos] != ' ')
                return false;
            ++pos;
        }
        if (!onWord((word[0] - '0') * 10 + (word[1] - '0'), word))
            return false;
    }
    return true;
}

} // namespace gsi
