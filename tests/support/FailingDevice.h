// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>

// A device that takes capacity bytes and then fails, as a disk that fills up
// during a save: the write that crosses the limit stores what fits and reports
// a short count, every later write fails with the system's words for a full disk.
// Capacity 0 fails the first write; a capacity above what a writer buffers
// makes it fail only when the writer flushes.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 capacity = 0);

    const QByteArray &written() const { return m_written; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    qint64 m_capacity;
    QByteArray m_written;
};

// While alive, files this process (and the programs it starts) writes are
// limited to a size, so a real QSaveFile fails on write or on its final flush
// as on a full disk, with the system's reason "File too large".
// Does nothing where the system has no such limit (active() is then false).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

private:
    bool m_active = false;
    qint64 m_previousSoft = 0;
};
