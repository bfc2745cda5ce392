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
    QSettings stored;
    bool ok = false;
    const int baud = stored.value(kBaud).toInt(&ok);
    if (ok && baud >= 0 && baud <= 3)
        settings.BaudIndex = baud;
    const int endMark = stored.value(kEndMark).toInt(&ok);
    if (ok && (endMark == 0 || endMark == 1))
        settings.EndMarkIndex = endMark;
}

void AppSettings::saveComm(const CommSettings &settings)
{
    QSettings stored;
    stored.setValue(kBaud, settings.BaudIndex);
    stored.setValue(kEndMark, settings.EndMarkIndex);
}
