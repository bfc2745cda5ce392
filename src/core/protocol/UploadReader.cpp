// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/UploadReader.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/GsiLossCheck.h"
#include "core/coordfiles/GsiWriter.h"

#include "core/text/Translatable.h"

#include <QFileInfo>

namespace {

// Up to the first LF (not kept), at most maxLength bytes; tooLong when the
// line goes on beyond that.
QByteArray readLine(QFile &file, int maxLength, bool *tooLong, bool *atEnd)
{
    QByteArray line;
    *tooLong = false;
    *atEnd = false;
    char c = 0;
    while (true) {
        if (!file.getChar(&c)) {
            *atEnd = line.isEmpty();
            return line;
        }
        if (c == '\n')
            return line;
        if (line.size() == maxLength) {
            *tooLong = true;
            return line;
        }
        line.append(c);
    }
}

bool isGsi16(QByteArrayView line)
{
    return !line.isEmpty() && line.at(0) == '*';
}

bool isGsi8(QByteArrayView line, bool strict)
{
    if (line.size() < UploadReader::kGsi8Length || line.at(0) != '1' || line.at(63) != ' ')
        return false;
    return !strict || line.at(1) == '1';
}

// A GSI file that keeps the line rules from its first line to its last goes
// to the instrument byte for byte, as it always has.
bool sendableAsItStands(const QString &path, bool strictGsi8, qsizetype *lines)
{
    if (CoordFileIo::formatForExtension(CoordFileIo::extensionOf(path)) != CoordFormat::Gsi16)
        return false;
    QFile file(path);
    QByteArray first;
    if (file.open(QIODevice::ReadOnly)) {
        first = file.read(101);
        const qsizetype lf = first.indexOf('\n');
        if (lf >= 0)
            first.truncate(lf);
    }
    // GSI-16: at most 98 characters, a CR before the LF included.
    if (!(isGsi16(first) && first.size() <= UploadReader::kMaxLine) && !isGsi8(first, strictGsi8))
        return false;
    UploadReader reader;
    if (!reader.openAsItStands(path))
        return false;
    *lines = 0;
    for (;;) {
        const UploadReader::Next next = reader.next();
        if (next.status == UploadReader::Next::Status::End)
            return true;
        if (next.status == UploadReader::Next::Status::Stopped)
            return false;
        ++*lines;
    }
}

QString rowNumbers(const QList<qsizetype> &rows, qsizetype total)
{
    QStringList shown;
    for (const qsizetype row : rows)
        shown << QString::number(row + 1);
    QString text = shown.join(QStringLiteral(", "));
    if (total > rows.size())
        text +=
            QCoreApplication::translate("UploadReader", " and %1 more").arg(total - rows.size());
    return text;
}

// The GSI-16 lines (without line end) Save as would write for the file's
// points, or why they cannot be sent.
UploadReader::Inspection convertedLines(const QString &path, QList<QByteArray> *lines)
{
    UploadReader::Inspection result;
    PointList points;
    const CoordReadResult read = CoordFileIo::open(path, points);
    if (!read.ok() || points.pointCount() == 0) {
        result.check = UploadReader::FileCheck::WrongFirstLine;
        result.reason = read.ok()
                            ? QCoreApplication::translate("UploadReader", "the file holds no point")
                            : read.error;
        return result;
    }
    if (read.feet) {
        // The lines sent are in metres; feet taken for metres would be wrong.
        result.check = UploadReader::FileCheck::Refused;
        result.reason = QCoreApplication::translate(
            "UploadReader", "the file is in feet; only files in metres are converted "
                            "for the instrument");
        return result;
    }
    constexpr int kShownRows = 10;
    GsiLossCheck loss(GsiVariant::Gsi16, true);
    QList<qsizetype> noValueRows;
    qsizetype noValueCount = 0;
    QList<qsizetype> codeRows;
    qsizetype codeCount = 0;
    for (qsizetype row = 0; row < points.pointCount(); ++row) {
        PointRecord p = points.point(row);
        if (!p.code.trimmed().isEmpty() && codeCount++ < kShownRows)
            codeRows.append(row);
        bool noValue = false;
        for (QString *field : {&p.easting, &p.northing, &p.elevation}) {
            if (gsi::isEmptyField(*field)) {
                // The instrument takes no empty value: it gets 0, and the user is told.
                *field = QStringLiteral("0");
                noValue = true;
            }
        }
        if (noValue && noValueCount++ < kShownRows)
            noValueRows.append(row);
        loss.add(row, p);
        QByteArray line =
            GsiWriter::line(p.name, p.easting, p.northing, p.elevation, GsiVariant::Gsi16, true);
        line.chop(2); // the end mark replaces the line end
        lines->append(line);
    }
    if (loss.count() > 0) {
        lines->clear();
        result.check = UploadReader::FileCheck::Refused;
        result.reason = QCoreApplication::translate(
                            "UploadReader", "%1 points cannot be sent as GSI-16 without loss:\n%2")
                            .arg(loss.count())
                            .arg(loss.summary(kShownRows));
        return result;
    }
    result.check = UploadReader::FileCheck::Accepted;
    result.converted = true;
    result.lines = lines->size();
    result.codesNotSent = codeCount;
    QStringList notes;
    if (codeCount > 0) {
        // A fifth word would make the line longer than the instrument takes.
        notes << QCoreApplication::translate(
                     "UploadReader",
                     "the codes of %1 points are not sent: the instrument's coordinate line "
                     "carries the name, easting, northing and height only (rows %2)")
                     .arg(codeCount)
                     .arg(rowNumbers(codeRows, codeCount));
    }
    if (noValueCount > 0) {
        notes << QCoreApplication::translate(
                     "UploadReader", "rows without a value are sent with 0 in its place: rows %1")
                     .arg(rowNumbers(noValueRows, noValueCount));
    }
    if (read.skipped.total() > 0)
        notes << read.skipped.describe();
    result.note = notes.join(QStringLiteral("; "));
    return result;
}

} // namespace

UploadReader::Inspection UploadReader::inspect(const QString &path, bool strictGsi8)
{
    Inspection result;
    if (CoordFileIo::formatForExtension(CoordFileIo::extensionOf(path)) == CoordFormat::None) {
        result.check = FileCheck::NotGsi;
        return result;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        result.check = FileCheck::Missing;
        return result;
    }
    if (!info.isFile()) {
        result.check = FileCheck::NotAFile;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.check = FileCheck::Unreadable;
        result.reason = file.errorString();
        return result;
    }
    file.close();
    if (sendableAsItStands(path, strictGsi8, &result.lines)) {
        result.check = FileCheck::Accepted;
        return result;
    }
    QList<QByteArray> lines;
    return convertedLines(path, &lines);
}

bool UploadReader::open(const QString &path)
{
    close();
    m_file.setFileName(path);
    qsizetype lines = 0;
    if (sendableAsItStands(path, false, &lines))
        return openAsItStands(path);
    m_converted = convertedLines(path, &m_lines).check == FileCheck::Accepted;
    return m_converted;
}

bool UploadReader::openAsItStands(const QString &path)
{
    close();
    m_file.setFileName(path);
    return m_file.open(QIODevice::ReadOnly);
}

void UploadReader::close()
{
    m_file.close();
    m_converted = false;
    m_lines.clear();
    m_sent = 0;
    m_lineNumber = 0;
}

UploadReader::Next UploadReader::nextConverted()
{
    Next result;
    if (m_sent >= m_lines.size()) {
        result.lineNumber = int(m_sent);
        return result;
    }
    result.status = Next::Status::Line;
    result.bytes = m_lines.at(m_sent++);
    result.lineNumber = int(m_sent);
    return result;
}

UploadReader::Next UploadReader::next()
{
    if (m_converted)
        return nextConverted();
    Next result;
    if (!m_file.isOpen())
        return result;
    bool tooLong = false;
    bool atEnd = false;
    QByteArray line = readLine(m_file, kMaxLine, &tooLong, &atEnd);
    if (atEnd) {
        result.lineNumber = m_lineNumber;
        return result;
    }
    result.lineNumber = ++m_lineNumber;
    if (tooLong) {
        result.status = Next::Status::Stopped;
        result.reason =
            QCoreApplication::translate("UploadReader", "line %1 is longer than %2 characters")
                .arg(m_lineNumber)
                .arg(kMaxLine);
        return result;
    }
    // The end mark replaces the file's own line end.
    if (line.endsWith('\r'))
        line.chop(1);

    int length = 0;
    if (isGsi16(line))
        length = kGsi16Length;
    else if (isGsi8(line, false))
        length = kGsi8Length;
    if (length == 0) {
        // Blank lines after the last point are the file's end, not a fault.
        if (line.trimmed().isEmpty() && restIsBlank()) {
            result.status = Next::Status::End;
            return result;
        }
        result.status = Next::Status::Stopped;
        result.reason = QCoreApplication::translate("UploadReader",
                                                    "line %1 is neither a GSI-16 nor a GSI-8 line")
                            .arg(m_lineNumber);
        return result;
    }
    // A short line is filled with blanks, as a GSI line pads its words.
    line = line.left(length);
    if (line.size() < length)
        line.append(QByteArray(length - line.size(), ' '));
    result.status = Next::Status::Line;
    result.bytes = line;
    return result;
}

bool UploadReader::restIsBlank()
{
    const qint64 position = m_file.pos();
    const QByteArray rest = m_file.readAll();
    m_file.seek(position);
    return rest.trimmed().isEmpty();
}
