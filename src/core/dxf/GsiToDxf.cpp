// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dxf/GsiToDxf.h"

#include "core/text/Translatable.h"

#include "core/coordfiles/GsiWord.h"
#include "core/coordfiles/LeadingNumber.h"
#include "core/dxf/DxfWriter.h"
#include "core/pcfiles/FileCommit.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

constexpr int kDecimals = 4;
constexpr char kZero[] = "0.0000"; // where the file has no value

// A control byte in a name (a CR from a damaged file, say) would end the DXF
// value line early and break the group structure for every reader; it becomes
// '?'. Control bytes are never part of a multi-byte character, so this is safe
// in every code page.
QByteArrayView labelName(QByteArrayView name, char *buffer)
{
    for (qsizetype i = 0; i < name.size(); ++i)
        buffer[i] = static_cast<unsigned char>(name[i]) < 0x20 ? '?' : name[i];
    return QByteArrayView(buffer, name.size());
}

} // namespace

GsiToDxfResult GsiToDxf::convert(QIODevice &gsi, QIODevice &dxf, Layout layout, double textHeight)
{
    GsiToDxfResult result;
    DxfWriter writer(dxf);
    writer.setTextHeight(textHeight);
    if (layout == Layout::Layered)
        writer.writeLayeredPrologue();
    else
        writer.writePrologue();
    // The name goes into the drawing as the bytes of the block: both are in the
    // ANSI code page, so no conversion can lose a character.
    result.read = GsiReader::scan(gsi, [&writer, layout](const GsiPointLine &p) {
        char text[4][48];
        int length[3];
        double metres[3];
        for (int i = 0; i < 3; ++i) {
            // At least the four decimals drawings have always had; finer units keep theirs.
            length[i] = p.value[i].text(text[i], kDecimals);
            if (length[i] == 0) {
                std::memcpy(text[i], kZero, sizeof kZero - 1);
                length[i] = sizeof kZero - 1;
            }
            metres[i] = leadingNumber(QByteArrayView(text[i], length[i]));
        }
        if (layout == Layout::Layered) {
            writer.writeLayeredPoint(labelName(gsi::stripLeadingZeros(p.name), text[3]), metres[0],
                                     metres[1], QByteArrayView(text[0], length[0]),
                                     QByteArrayView(text[1], length[1]),
                                     QByteArrayView(text[2], length[2]), p.value[2].hasValue());
            return;
        }
        writer.writePoint(labelName(gsi::stripLeadingZeros(p.name), text[3]),
                          QByteArrayView(text[0], length[0]), QByteArrayView(text[1], length[1]),
                          QByteArrayView(text[2], length[2]), p.value[2].hasValue());
    });
    writer.writeEpilogue();
    result.points = result.read.points;
    if (!writer.flush()) {
        result.ok = false;
        result.error = writer.errorString();
    } else if (!result.read.error.isEmpty()) {
        result.ok = false;
        result.error = result.read.error;
    }
    return result;
}

GsiToDxfResult GsiToDxf::convert(const QString &gsiPath, const QString &dxfPath,
                                 MissingInput missing, Layout layout, double textHeight)
{
    GsiToDxfResult result;
    if (isSameFile(gsiPath, dxfPath)) {
        result.ok = false;
        result.error = QCoreApplication::translate(
            "GsiToDxf", "the drawing would replace the GSI file it is made from");
        return result;
    }
    QFile gsi(gsiPath);
    QBuffer nothing; // stands in for a file that cannot be read: no point
    QIODevice *input = &gsi;
    if (gsiPath.isEmpty() || !gsi.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (missing == MissingInput::Refuse) {
            result.ok = false;
            result.error = gsiPath.isEmpty()
                               ? QCoreApplication::translate("GsiToDxf", "no GSI file given")
                               : QCoreApplication::translate("GsiToDxf", "cannot read %1: %2")
                                     .arg(gsiPath, gsi.errorString());
            result.read.opened = false;
            return result;
        }
        nothing.open(QIODevice::ReadOnly);
        input = &nothing;
    }
    QSaveFile dxf(dxfPath);
    QString reason;
    if (!FileCommit::open(dxf, &reason)) {
        result.ok = false;
        result.error =
            QCoreApplication::translate("GsiToDxf", "cannot create %1: %2").arg(dxfPath, reason);
        return result;
    }
    result = convert(*input, dxf, layout, textHeight);
    result.read.opened = input == &gsi;
    if (result.ok && result.read.form == GsiForm::None && missing == MissingInput::Refuse) {
        // Not a coordinate file: no drawing at all rather than an empty one.
        FileCommit::cancel(dxf);
        result.ok = false;
        result.error = QStringLiteral("%1 is no coordinate file: no line is a point (words 81 "
                                      "and 82)")
                           .arg(gsiPath);
        if (result.read.skipped.total() > 0)
            result.error += QStringLiteral("; ") + result.read.skipped.describe();
        return result;
    }
    if (!result.ok) {
        FileCommit::cancel(dxf);
        result.error = QCoreApplication::translate("GsiToDxf", "cannot convert into %1: %2")
                           .arg(dxfPath, result.error);
        return result;
    }
    if (!FileCommit::commit(dxf, &reason)) {
        result.ok = false;
        result.error =
            QCoreApplication::translate("GsiToDxf", "cannot write %1: %2").arg(dxfPath, reason);
    }
    return result;
}

bool GsiToDxf::isSameFile(const QString &a, const QString &b)
{
#ifdef Q_OS_UNIX
    // Hard links and bind mounts name one file by different paths.
    struct stat sa;
    struct stat sb;
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
        ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#endif
    const QFileInfo first(a);
    const QFileInfo second(b);
    const QString canonicalA = first.canonicalFilePath();
    const QString canonicalB = second.canonicalFilePath();
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    if (!canonicalA.isEmpty() && !canonicalB.isEmpty())
        return canonicalA.compare(canonicalB, cs) == 0;
    return first.absoluteFilePath().compare(second.absoluteFilePath(), cs) == 0;
}

QString GsiToDxf::doneMessage(qsizetype points)
{
    return QStringLiteral("Writing dxf file done, %1 Point convert OK !").arg(points);
}
