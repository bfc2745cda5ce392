// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/TransferTypes.h"

#include <QObject>
#include <QString>

#include <optional>

class ConversationEngine;
class QWidget;

// "Also save coordinates" of an observation download: once the download has
// completed, asks for the station set-up (prefilled from the downloaded
// file), reduces the observations and writes the points beside the file,
// asking before it replaces one. Made before the download starts, so it sees
// how the download ended.
class DownloadCoordinates : public QObject
{
    Q_OBJECT

public:
    DownloadCoordinates(ConversationEngine &engine, QWidget *parent);

    // After the progress dialog has closed; nothing when the download did not
    // complete. Returns the file written, or an empty text.
    QString run();

    // The same for an observation file already on the PC.
    static QString saveBeside(QWidget *parent, const QString &observationPath);

private:
    QWidget *m_parent;
    std::optional<TransferResult> m_download;
};
