// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/AppSettings.h"

#include "core/serial/CommSettings.h"

#include <QDir>
#include <QSettings>
#include <QWidget>

namespace {
const QString kLastFolder = QStringLiteral("files/lastFolder");
const QString kBaud = QStringLiteral("port/baudRate");
const QString kEndMark = QStringLiteral("port/endMark");
// Where earlier versions kept the same choices: positions in the dialog's lists.
const QString kOldBaudIndex = QStringLiteral("port/baudIndex");
const QString kOldEndMarkIndex = QStringLiteral("port/endMarkIndex");
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

// The stored speed: a rate of the table, or the first one when the value is
// none (a hand-edited file, or a typed speed that lasted one run); current
// when nothing is stored. An older version's list position counts too.
int storedBaudRate(const QSettings &stored, int current)
{
    const int fallback = CommSettings::kBaudRates[0];
    if (stored.contains(kBaud)) {
        bool ok = false;
        const int rate = stored.value(kBaud).toInt(&ok);
        return ok && CommSettings::isListedBaudRate(rate) ? rate : fallback;
    }
    const int last = int(CommSettings::kBaudRates.size()) - 1;
    const int index = storedIndex(stored, kOldBaudIndex, last, -1, 0);
    return index >= 0 ? CommSettings::kBaudRates[size_t(index)] : current;
}

EndMark storedEndMark(const QSettings &stored, EndMark current)
{
    if (stored.contains(kEndMark))
        return CommSettings::endMarkFromKey(stored.value(kEndMark).toString())
            .value_or(EndMark::CrLf);
    const int index = storedIndex(stored, kOldEndMarkIndex, 1, -1, 0);
    if (index < 0)
        return current;
    return index == 1 ? EndMark::Cr : EndMark::CrLf;
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
    settings.BaudRate = storedBaudRate(stored, settings.BaudRate);
    settings.CommandEnd = storedEndMark(stored, settings.CommandEnd);
    if (stored.contains(kNameEncoding)) {
        settings.JobNameEncoding = NameEncoding::fromKey(stored.value(kNameEncoding).toString())
                                       .value_or(NameEncoding::Automatic);
    }
}

void AppSettings::saveComm(const CommSettings &settings)
{
    QSettings stored;
    // A typed speed that is no entry (kKeepLineSpeed: keep the line's own) is
    // stored as it is and read back as the default.
    stored.setValue(kBaud, settings.BaudRate);
    stored.setValue(kEndMark, CommSettings::endMarkKey(settings.CommandEnd));
    // The new keys say it all now; the old ones would only mislead a reader of the file.
    stored.remove(kOldBaudIndex);
    stored.remove(kOldEndMarkIndex);
    stored.setValue(kNameEncoding, NameEncoding::key(settings.JobNameEncoding));
}
