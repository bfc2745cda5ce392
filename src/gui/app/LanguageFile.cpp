// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/LanguageFile.h"

#include "gui/common/Translations.h"

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

QString readLanguage(const QString &folder)
{
    return Translations::forLanguageLine(
        readFirstLine(QDir(folder).filePath(QString::fromLatin1(kFileName))));
}

int readUiLanguage(const QString &folder)
{
    return readLanguage(folder).startsWith(QLatin1String("zh")) ? 1 : 0;
}

} // namespace LanguageFile
