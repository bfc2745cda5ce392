#include "protocol/UploadReader.h"

#include "text/Translatable.h"

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

} // namespace

UploadReader::FileCheck UploadReader::checkFile(const QString &path, bool strictGsi8)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0 || name.mid(dot + 1) != QLatin1String("gsi"))
        return FileCheck::NotGsi;

    QFile file(path);
    QByteArray first;
    if (file.open(QIODevice::ReadOnly)) {
        first = file.read(101);
        const qsizetype lf = first.indexOf('\n');
        if (lf >= 0)
            first.truncate(lf);
    }
    // GSI-16: at most 98 characters, a CR before the LF included.
    if (isGsi16(first) && first.size() <= kMaxLine)
        return FileCheck::Accepted;
    if (isGsi8(first, strictGsi8))
        return FileCheck::Accepted;
    return FileCheck::WrongFirstLine;
}

bool UploadReader::open(const QString &path)
{
    m_file.close();
    m_file.setFileName(path);
    m_lineNumber = 0;
    return m_file.open(QIODevice::ReadOnly);
}

UploadReader::Next UploadReader::next()
{
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
