#include "LanguageFile.h"

#include <QDir>
#include <QFile>

namespace LanguageFile {

namespace {
constexpr qint64 kMaxLineBytes = 99;
}

QByteArray readFirstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray head = file.read(kMaxLineBytes);
    const int lf = head.indexOf('\n');
    return lf < 0 ? head : head.left(lf);
}

int readUiLanguage(const QString &folder)
{
    const QByteArray line = readFirstLine(QDir(folder).filePath(QString::fromLatin1(kFileName)));
    if (line.startsWith("Chine"))
        return 1;
    return 0; // "Engli" and everything else
}

} // namespace LanguageFile
