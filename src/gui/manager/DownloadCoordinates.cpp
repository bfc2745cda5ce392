// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/DownloadCoordinates.h"

#include "core/protocol/ConversationEngine.h"
#include "gui/common/Messages.h"
#include "gui/common/ReductionRun.h"
#include "gui/editor/LossQuestion.h"

#include <QDir>
#include <QFileInfo>

DownloadCoordinates::DownloadCoordinates(ConversationEngine &engine, QWidget *parent)
    : QObject(parent), m_parent(parent)
{
    connect(&engine, &ConversationEngine::finished, this, [this](const TransferResult &r) {
        if (r.kind == TransferResult::Kind::Download)
            m_download = r;
    });
}

QString DownloadCoordinates::run()
{
    // A partial file would give a part of the points as if it were all.
    if (!m_download || !m_download->complete() || !m_download->fileKept)
        return QString();
    return saveBeside(m_parent, m_download->path);
}

QString DownloadCoordinates::saveBeside(QWidget *parent, const QString &observationPath)
{
    ReductionRun::Reduced reduced;
    if (!ReductionRun::run(parent, observationPath, true, &reduced))
        return QString();
    const QString target = reduced.outputPath;
    const QString name = QDir::toNativeSeparators(target);
    if (QFileInfo::exists(target) &&
        !Messages::ask(parent, tr("%1 already exists. Replace it?").arg(name)))
        return QString();
    // GSI-8 holds no full grid coordinates: asked, as the editor's Save as does.
    if (!LossQuestion::confirm(parent, reduced.points, reduced.format, true))
        return QString();
    CoordWriteOptions options;
    options.gsiRangeRule = true;
    const CoordWriteResult w = CoordFileIo::write(target, reduced.format, reduced.points, options);
    if (!w.ok()) {
        Messages::show(
            parent,
            tr("Cannot save %1: %2\nAny file already there is unchanged.").arg(name, w.error),
            Messages::Kind::Warning);
        return QString();
    }
    Messages::show(parent, tr("%1 points written to %2.\n%3")
                               .arg(w.pointCount)
                               .arg(name, ReductionRun::summary(reduced.result)));
    return target;
}
