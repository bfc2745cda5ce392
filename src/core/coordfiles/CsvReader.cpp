// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/CsvReader.h"

#include "core/coordfiles/CoordinateText.h"
#include "core/coordfiles/LineScanner.h"
#include "core/text/CodePage.h"

#include <QIODevice>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <array>
#include <cstring>
#include <vector>

namespace {

enum Role { kName, kCode, kEast, kNorth, kElevation, kRoleCount };
constexpr int kNoColumn = -1;

struct Layout
{
    std::array<int, kRoleCount> column{kNoColumn, kNoColumn, kNoColumn, kNoColumn, kNoColumn};
};

const char *roleName(int role)
{
    static const char *const kNames[] = {"Name", "Code", "East", "North", "Elevation"};
    return kNames[role];
}

int roleOfLetter(QChar letter)
{
    switch (letter.toUpper().unicode()) {
    case 'P':
        return kName;
    case 'D':
        return kCode;
    case 'E':
        return kEast;
    case 'N':
        return kNorth;
    case 'Z':
        return kElevation;
    default:
        return kNoColumn;
    }
}

int roleOfHeader(QByteArrayView field)
{
    const QByteArray name = field.trimmed().toByteArray().toLower();
    static const std::pair<const char *, int> kAliases[] = {
        {"name", kName},        {"point", kName},
        {"id", kName},          {"pt", kName},
        {"code", kCode},        {"description", kCode},
        {"desc", kCode},        {"east", kEast},
        {"easting", kEast},     {"e", kEast},
        {"y", kEast},           {"north", kNorth},
        {"northing", kNorth},   {"n", kNorth},
        {"x", kNorth},          {"elevation", kElevation},
        {"height", kElevation}, {"h", kElevation},
        {"z", kElevation},      {"elev", kElevation},
    };
    for (const auto &alias : kAliases) {
        if (name == alias.first)
            return alias.second;
    }
    return kNoColumn;
}

// Splits one line at sep, honouring quotes; quoted fields are unescaped into
// storage. Views stay valid while line and storage do.
void splitLine(QByteArrayView line, char sep, QVarLengthArray<QByteArrayView, 8> &fields,
               std::vector<QByteArray> &storage)
{
    fields.clear();
    qsizetype i = 0;
    const qsizetype n = line.size();
    size_t quoted = 0;
    while (true) {
        if (i < n && line[i] == '"') {
            // Moving a QByteArray keeps its bytes where they are, so earlier views
            // survive the vector growing.
            if (quoted == storage.size())
                storage.emplace_back();
            QByteArray &text = storage[quoted++];
            text.resize(0);
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        text.append('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text.append(line[i++]);
            }
            // Anything between the closing quote and the separator is kept too.
            while (i < n && line[i] != sep)
                text.append(line[i++]);
            fields.append(QByteArrayView(text));
        } else {
            const auto *found =
                static_cast<const char *>(std::memchr(line.data() + i, sep, size_t(n - i)));
            const qsizetype end = found ? found - line.data() : n;
            fields.append(line.sliced(i, end - i));
            i = end;
        }
        if (i >= n)
            break;
        ++i; // the separator
    }
}

char detectSeparator(QByteArrayView line)
{
    int counts[3] = {0, 0, 0};
    const char kSeparators[3] = {',', ';', '\t'};
    bool inQuotes = false;
    for (const char c : line) {
        if (c == '"')
            inQuotes = !inQuotes;
        else if (!inQuotes)
            for (int k = 0; k < 3; ++k)
                counts[k] += c == kSeparators[k];
    }
    int best = 0;
    for (int k = 1; k < 3; ++k)
        if (counts[k] > counts[best])
            best = k;
    return kSeparators[best];
}

class Decoder
{
public:
    explicit Decoder(bool utf8) : m_utf8(utf8) {}
    QString decode(QByteArrayView bytes) const
    {
        bool ascii = true;
        for (const char c : bytes) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                ascii = false;
                break;
            }
        }
        if (ascii)
            return QString::fromLatin1(bytes);
        if (m_utf8)
            return QString::fromUtf8(bytes);
        // Without a byte-order mark: text that is valid UTF-8 was written as UTF-8
        // (GIS programs do); anything else is in the ANSI code page.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
        return CodePage::ansi().decode(bytes);
    }

private:
    bool m_utf8;
};

QByteArrayView fieldAt(const QVarLengthArray<QByteArrayView, 8> &fields, int column)
{
    return column >= 0 && column < fields.size() ? fields[column] : QByteArrayView();
}

} // namespace

bool CsvReader::validColumns(const QString &letters, QString *error)
{
    bool seen[kRoleCount] = {};
    for (const QChar c : letters) {
        if (c == QLatin1Char('-'))
            continue;
        const int role = roleOfLetter(c);
        if (role == kNoColumn) {
            if (error)
                *error = QStringLiteral("'%1' is no column letter (P, N, E, Z, D or -)").arg(c);
            return false;
        }
        if (seen[role]) {
            if (error)
                *error = QStringLiteral("column letter '%1' is given twice").arg(c.toUpper());
            return false;
        }
        seen[role] = true;
    }
    if (!seen[kEast] || !seen[kNorth]) {
        if (error)
            *error = QStringLiteral("the columns must include E and N");
        return false;
    }
    return true;
}

DelimitedResult CsvReader::read(QIODevice &device, PointSink &sink, const QString &columns)
{
    DelimitedResult result;
    const QString letters = columns.isEmpty() ? QString::fromLatin1(kDefaultColumns) : columns;
    QString columnsError;
    if (!validColumns(letters, &columnsError)) {
        result.ok = false;
        result.error = columnsError;
        return result;
    }

    LineScanner lines(device);
    QByteArrayView line;
    QVarLengthArray<QByteArrayView, 8> fields;
    std::vector<QByteArray> storage;
    bool started = false;
    bool utf8 = false;
    char sep = ',';
    Layout layout;
    PointRecord point;
    const auto fail = [&result](qsizetype lineNumber, const QString &why) {
        result.ok = false;
        result.error = QStringLiteral("line %1: %2").arg(lineNumber).arg(why);
    };

    while (lines.next(line)) {
        if (!started && lines.lineNumber() == 1 && line.startsWith("\xEF\xBB\xBF")) {
            line = line.sliced(3);
            utf8 = true;
        }
        if (line.trimmed().isEmpty())
            continue;
        if (!started) {
            started = true;
            sep = detectSeparator(line);
            splitLine(line, sep, fields, storage);
            Layout header;
            bool anyName = false;
            for (int i = 0; i < fields.size(); ++i) {
                const int role = roleOfHeader(fields[i]);
                if (role == kNoColumn)
                    continue;
                anyName = true;
                if (header.column[role] == kNoColumn)
                    header.column[role] = i;
            }
            if (anyName) {
                for (const int role : {kEast, kNorth}) {
                    if (header.column[role] == kNoColumn) {
                        fail(lines.lineNumber(), QStringLiteral("the header names no %1 column")
                                                     .arg(QLatin1String(roleName(role))));
                        return result;
                    }
                }
                layout = header;
                sink.clear();
                continue;
            }
            for (int i = 0; i < letters.size(); ++i) {
                const int role = roleOfLetter(letters.at(i));
                if (role != kNoColumn)
                    layout.column[role] = i;
            }
            const QByteArrayView east = fieldAt(fields, layout.column[kEast]).trimmed();
            const QByteArrayView north = fieldAt(fields, layout.column[kNorth]).trimmed();
            if (!coordtext::isPlainNumber(east) || !coordtext::isPlainNumber(north)) {
                fail(lines.lineNumber(),
                     QStringLiteral("the first line is neither a header naming the East and "
                                    "North columns nor a point in the column order %1")
                         .arg(letters.toUpper()));
                return result;
            }
            sink.clear();
        }
        splitLine(line, sep, fields, storage);
        const Decoder decoder(utf8);
        for (const int role : {kEast, kNorth, kElevation}) {
            const QByteArrayView value = fieldAt(fields, layout.column[role]).trimmed();
            if (!value.isEmpty() && !coordtext::isPlainNumber(value)) {
                fail(lines.lineNumber(),
                     QStringLiteral("the %1 field \"%2\" is no number")
                         .arg(QLatin1String(roleName(role)), decoder.decode(value)));
                return result;
            }
        }
        point.number = QString::number(result.pointCount + 1);
        point.name = decoder.decode(fieldAt(fields, layout.column[kName]).trimmed());
        point.code = decoder.decode(fieldAt(fields, layout.column[kCode]).trimmed());
        point.easting = QString::fromLatin1(fieldAt(fields, layout.column[kEast]).trimmed());
        point.northing = QString::fromLatin1(fieldAt(fields, layout.column[kNorth]).trimmed());
        point.elevation = QString::fromLatin1(fieldAt(fields, layout.column[kElevation]).trimmed());
        sink.append(point);
        ++result.pointCount;
    }
    if (lines.failed()) {
        result.ok = false;
        result.error = device.errorString();
    } else if (!started) {
        sink.clear();
    }
    return result;
}
