// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One of the simulated instrument's jobs: a name (empty for an unnamed job),
// its coordinate lines and its observation lines, each without a line end.
struct SimJob
{
    QString name;
    QList<QByteArray> coordinates;
    QList<QByteArray> observations;
};

// The 17 jobs of the simulated RQT-318.
class SimJobStore
{
public:
    static constexpr int kJobCount = 17;

    SimJobStore(); // 17 unnamed, empty jobs

    // Realistic contents for demonstrations: named and unnamed jobs, some
    // names in Chinese, counts from 0 to a few hundred.
    static SimJobStore demo();

    // A folder with "index.txt" (UTF-8): line i describes job i as
    // NAME<TAB>COORDINATE FILE<TAB>OBSERVATION FILE; the files are GSI files
    // in the folder, either may be left out. Missing lines are empty jobs.
    static bool loadFromFolder(const QString &folder, SimJobStore *store, QString *error);

    // number is 1..17
    SimJob &job(int number) { return m_jobs[number - 1]; }
    const SimJob &job(int number) const { return m_jobs[number - 1]; }

    // The lines of a GSI file read in binary: split at LF, one CR before it
    // dropped, blank lines skipped.
    static QList<QByteArray> splitLines(const QByteArray &bytes);

private:
    QList<SimJob> m_jobs;
};

// A GSI-16 coordinate line of 97 characters (closing blank included) for a
// point with coordinates in millimetres; block is the line's block number.
QByteArray gsi16CoordinateLine(int block, const QByteArray &name, qint64 eastingMm,
                               qint64 northingMm, qint64 elevationMm);
