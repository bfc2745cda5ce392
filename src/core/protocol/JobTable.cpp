// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/JobTable.h"

#include "text/CodePage.h"

#include <QVector>

DirectoryLine DirectoryLine::parse(QByteArrayView reply)
{
    // Tokenizer split: empty tokens vanish, so ",,," is one separator.
    QVector<QByteArrayView> fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= reply.size(); ++i) {
        if (i == reply.size() || reply.at(i) == ',') {
            if (i > start)
                fields.append(reply.sliced(start, i - start));
            start = i + 1;
            if (fields.size() == 4)
                break;
        }
    }
    const CodePage &cp = CodePage::ansi();
    auto field = [&](int index) {
        return index < fields.size() ? cp.decode(fields.at(index)) : QString();
    };

    DirectoryLine line;
    if (!reply.isEmpty() && reply.at(0) == ',') {
        // A job without a name: every field moves one place on.
        line.name = JobTable::emptyName();
        line.second = field(0);
        line.fixPointCount = field(1);
        line.measurementCount = field(2);
    } else {
        line.name = field(0);
        line.second = field(1);
        line.fixPointCount = field(2);
        line.measurementCount = field(3);
    }
    return line;
}

JobTable::JobTable()
{
    for (QStringList *list :
         {&JobNames, &FixPointCounts, &MeasurementCounts, &JobSlotLabels, &JobSlotNames}) {
        for (int i = 0; i < kJobCount; ++i)
            list->append(QString());
    }
}

void JobTable::store(int index, const DirectoryLine &line)
{
    if (index < 0 || index >= kJobCount)
        return;
    JobNames[index] = line.name;
    FixPointCounts[index] = line.fixPointCount;
    MeasurementCounts[index] = line.measurementCount;
}

QString JobTable::slotLabel(int index)
{
    return QStringLiteral("JobList %1:").arg(index + 1);
}

int JobTable::leadingCount(const QString &countText)
{
    qsizetype i = 0;
    while (i < countText.size() && (countText.at(i) == u' ' || countText.at(i) == u'\t'))
        ++i;
    bool negative = false;
    if (i < countText.size() && (countText.at(i) == u'+' || countText.at(i) == u'-')) {
        negative = countText.at(i) == u'-';
        ++i;
    }
    qint64 value = 0;
    while (i < countText.size() && countText.at(i) >= u'0' && countText.at(i) <= u'9') {
        value = value * 10 + (countText.at(i).unicode() - u'0');
        if (value > 1000000000)
            value = 1000000000; // no job holds that many; keeps the arithmetic sane
        ++i;
    }
    return negative ? 0 : int(value);
}

QString JobTable::withoutLineEnd(const QString &text)
{
    QString result = text;
    while (result.endsWith(u'\n') || result.endsWith(u'\r'))
        result.chop(1);
    return result;
}
