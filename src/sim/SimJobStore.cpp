// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimJobStore.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray gsiBlock(qint64 value, int width)
{
    QByteArray digits = QByteArray::number(value < 0 ? -value : value);
    if (value < 0)
        digits.prepend('-');
    return digits.rightJustified(width, '0', true);
}

bool readLines(const QString &path, QList<QByteArray> *lines, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    *lines = SimJobStore::splitLines(file.readAll());
    return true;
}

} // namespace

QByteArray gsi16CoordinateLine(int block, const QByteArray &name, qint64 eastingMm,
                               qint64 northingMm, qint64 elevationMm)
{
    return "*11" + QByteArray::number(block % 10000).rightJustified(4, '0') + '+' +
           name.right(16).rightJustified(16, '0') + " 81..10+" + gsiBlock(eastingMm, 16) +
           " 82..10+" + gsiBlock(northingMm, 16) + " 83..10+" + gsiBlock(elevationMm, 16) + ' ';
}

SimJobStore::SimJobStore() : m_jobs(kJobCount) {}

QList<QByteArray> SimJobStore::splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            lines.append(line);
        start = end + 1;
    }
    return lines;
}

bool SimJobStore::loadFromFolder(const QString &folder, SimJobStore *store, QString *error)
{
    const QDir dir(folder);
    QList<QByteArray> index;
    QFile indexFile(dir.filePath(QStringLiteral("index.txt")));
    if (!indexFile.open(QIODevice::ReadOnly)) {
        *error =
            QStringLiteral("cannot read %1: %2").arg(indexFile.fileName(), indexFile.errorString());
        return false;
    }
    // Blank lines stand for unnamed jobs here, so they are kept.
    index = indexFile.readAll().split('\n');
    SimJobStore loaded;
    for (int number = 1; number <= kJobCount && number <= index.size(); ++number) {
        QByteArray line = index.at(number - 1);
        if (line.endsWith('\r'))
            line.chop(1);
        const QList<QByteArray> fields = line.split('\t');
        SimJob &job = loaded.job(number);
        job.name = QString::fromUtf8(fields.value(0)).trimmed();
        const QString coordinateFile = QString::fromUtf8(fields.value(1)).trimmed();
        const QString observationFile = QString::fromUtf8(fields.value(2)).trimmed();
        if (!coordinateFile.isEmpty() &&
            !readLines(dir.filePath(coordinateFile), &job.coordinates, error))
            return false;
        if (!observationFile.isEmpty() &&
            !readLines(dir.filePath(observationFile), &job.observations, error))
            return false;
    }
    *store = loaded;
    return true;
}
