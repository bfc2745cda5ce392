// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/FilePreview.h"

#include "core/coordfiles/CoordFileIo.h"
#include "plot/PlotPicture.h"
#include "plot/PlotPoints.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

FilePreview::FilePreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("filePreview"));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("previewText"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("previewPlan"));
    m_picture->setFixedSize(kPlanSide, kPlanSide);
    m_picture->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
    layout->addWidget(m_text, 1);
    setFixedWidth(kPlanSide + 2);
    m_text->setText(tr("Select a coordinate file to see its points."));
    connect(&m_watcher, &QFutureWatcher<FilePreviewResult>::finished, this, &FilePreview::finished);
}

// The worker holds nothing of this widget, so closing the window never waits
// for a large file to be read to its end.
FilePreview::~FilePreview() = default;

void FilePreview::showFile(const QString &path)
{
    m_path = path;
    const QFileInfo info(path);
    const FormatInfo *format = FormatTable::forExtension(CoordFileIo::extensionOf(path));
    if (!info.isFile() || !format || !format->readable()) {
        m_plan = QImage();
        m_picture->clear();
        m_text->setText(tr("Select a coordinate file to see its points."));
        return;
    }
    m_text->setText(tr("Reading %1 ...").arg(info.fileName()));
    // One read at a time: a newer choice waits for the older read to end and
    // the older result is then dropped as stale.
    if (m_watcher.isRunning())
        return;
    m_watcher.setFuture(QtConcurrent::run(&FilePreview::read, path, kPlanSide));
}

FilePreviewResult FilePreview::read(const QString &path, int planSide)
{
    FilePreviewResult result;
    result.path = path;
    // The extension in any case: "POINTS.GSI" is read as "points.gsi".
    const FormatInfo *format = FormatTable::forExtension(CoordFileIo::extensionOf(path));
    result.readable = format && format->readable();
    if (!result.readable)
        return result;
    PlotPoints points;
    const CoordReadResult read = CoordFileIo::open(path, points);
    result.ok = read.ok();
    result.error = read.error;
    result.format =
        CoordFileIo::formatName(read.format != CoordFormat::None ? read.format : format->format);
    result.points = points.size();
    result.located = points.locatedCount();
    const QRectF extent = points.extent();
    result.minEast = extent.left();
    result.maxEast = extent.right();
    result.minNorth = extent.top();
    result.maxNorth = extent.bottom();
    if (result.ok) {
        PlanStyle style;
        style.labels = false;
        result.plan = PlotPicture::image(points, QSize(planSide, planSide), style);
    }
    return result;
}

void FilePreview::finished()
{
    const FilePreviewResult result = m_watcher.result();
    if (result.path != m_path) {
        showFile(m_path); // the user moved on while this one was read
        return;
    }
    m_plan = result.plan;
    m_picture->setPixmap(QPixmap::fromImage(m_plan));
    const QString name = QFileInfo(result.path).fileName();
    if (!result.ok) {
        m_text->setText(tr("%1: %2").arg(name, result.error));
    } else {
        QString text =
            tr("%1 (%2)\n%n points", nullptr, int(result.points)).arg(name, result.format);
        if (result.located < result.points)
            text += QLatin1Char('\n') +
                    tr("%n without coordinates", nullptr, int(result.points - result.located));
        if (result.located > 0)
            text += QLatin1Char('\n') + tr("East %1 to %2\nNorth %3 to %4")
                                            .arg(result.minEast, 0, 'f', 3)
                                            .arg(result.maxEast, 0, 'f', 3)
                                            .arg(result.minNorth, 0, 'f', 3)
                                            .arg(result.maxNorth, 0, 'f', 3);
        m_text->setText(text);
    }
    Q_EMIT previewShown(result.path);
}

QString FilePreview::text() const
{
    return m_text->text();
}

bool FilePreview::waitUntilShown(int ms)
{
    if (!m_watcher.isRunning() && m_watcher.future().isValid() &&
        m_watcher.future().result().path == m_path)
        return true;
    QEventLoop loop;
    bool shown = false;
    connect(this, &FilePreview::previewShown, &loop, [&](const QString &path) {
        if (path == m_path) {
            shown = true;
            loop.quit();
        }
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return shown;
}
