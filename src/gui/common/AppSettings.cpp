// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppSettings.h"

#include "state/AppState.h"

#include <QDir>
#include <QSettings>
#include <QWidget>

namespace {
const QString kLastFolder = QStringLiteral("files/lastFolder");
const QString kBaud = QStringLiteral("port/baudIndex");
const QString kEndMark = QStringLiteral("port/endMarkIndex");
const QString kNameEncoding = QStringLiteral("port/nameEncoding");

// A stored index, or fallback when the key is there but holds no index in
// [0, last] (a hand-edited file); current when the key is absent.
int storedIndex(const QSettings &stored, const QString &key, int last, int current, int fallback)
{
    if (!stored.contains(key))
        return current;
    bool ok = false;
    const int value = stored.value(key).toInt(&ok);
    return ok && value >= 0 && value <= last ? value : fallback;
}
} // namespace

QString AppSettings::lastFolder()
{
    const QString folder = QSettings().value(kLastFolder).toString();
    // A folder on a memory stick that is no longer plugged in is no start.
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void AppSettings::setLastFolder(const QString &folder)
{
    if (!folder.isEmpty())
        QSettings().setValue(kLastFolder, folder);
}

bool AppSettings::restoreGeometry(QWidget *window, const QString &key)
{
    const QByteArray geometry = QSettings().value(QStringLiteral("geometry/") + key).toByteArray();
    return !geometry.isEmpty() && window->restoreGeometry(geometry);
}

void AppSettings::saveGeometry(const QWidget *window, const QString &key)
{
    QSettings().setValue(QStringLiteral("geometry/") + key, window->saveGeometry());
}

void AppSettings::loadComm(CommSettings &settings)
{
    const QSettings stored;
    settings.BaudIndex = storedIndex(stored, kBaud, 3, settings.BaudIndex, 0);
    settings.EndMarkIndex = storedIndex(stored, kEndMark, 1, settings.EndMarkIndex, 0);
    settings.ReplyTerminator = settings.EndMarkIndex == 1 ? 13 : 10;
    if (stored.contains(kNameEncoding)) {
        settings.JobNameEncoding = NameEncoding::fromKey(stored.value(kNameEncoding).toString())
                                       .value_or(NameEncoding::Automatic);
    }
}

void AppSettings::saveComm(const CommSettings &settings)
{
    QSettings stored;
    // A typed speed that is no entry (-1: keep the line's own) is stored as
    // it is and read back as the default.
    stored.setValue(kBaud, settings.BaudIndex);
    stored.setValue(kEndMark, settings.EndMarkIndex);
    stored.setValue(kNameEncoding, NameEncoding::key(settings.JobNameEncoding));
}
