// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QString>
#include <QWidget>

class QLabel;

// What the preview learnt of one file, read away from the window's thread.
struct FilePreviewResult
{
    QString path;
    bool readable = false; // a coordinate file the editor opens
    bool ok = false;
    QString error;
    QString format;
    qsizetype points = 0;
    qsizetype located = 0;
    double minEast = 0, maxEast = 0, minNorth = 0, maxNorth = 0;
    QImage plan;
};

// The manager's side panel: for the coordinate file selected in the PC tree,
// its point count, extent and a small plan. The file is read on a worker
// thread, so a large one never holds up the window; a result that arrives
// after another file was chosen is dropped.
class FilePreview : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kPlanSide = 200;

    explicit FilePreview(QWidget *parent = nullptr);
    ~FilePreview() override;

    // Starts reading path; anything but a coordinate file clears the panel.
    void showFile(const QString &path);

    // Reads and draws path; what the worker runs.
    static FilePreviewResult read(const QString &path, int planSide);

    QString text() const;
    const QImage &plan() const { return m_plan; }
    bool isBusy() const { return m_watcher.isRunning(); }
    // Runs the event loop until the file asked for last is shown, at most ms.
    bool waitUntilShown(int ms);

Q_SIGNALS:
    void previewShown(const QString &path);

private:
    void finished();

    QFutureWatcher<FilePreviewResult> m_watcher;
    QString m_path;
    QLabel *m_text = nullptr;
    QLabel *m_picture = nullptr;
    QImage m_plan;
};
