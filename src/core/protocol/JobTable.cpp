// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/JobTable.h"

#include "core/protocol/ReplyAssembler.h"

#include <QCoreApplication>

#include <QVector>

DirectoryLine DirectoryLine::parse(QByteArrayView reply, NameEncoding::Choice encoding)
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
    const CodePage &cp = NameEncoding::readPage(encoding);
    auto field = [&](int index) {
        return index < fields.size() ? cp.decode(fields.at(index)) : QString();
    };

    DirectoryLine line;
    line.cut = reply.size() >= ReplyAssembler::kCapacity;
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
    CutLines = QList<bool>(kJobCount, false);
}

void JobTable::store(int index, const DirectoryLine &line)
{
    if (index < 0 || index >= kJobCount)
        return;
    JobNames[index] = line.name;
    FixPointCounts[index] = line.fixPointCount;
    MeasurementCounts[index] = line.measurementCount;
    CutLines[index] = line.cut;
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

std::optional<int> JobTable::plainCount(const QString &countText)
{
    const QString text = withoutLineEnd(countText).trimmed();
    // Nine digits at most: no job holds more, and the number fits an int.
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return text.toInt();
}

std::optional<int> JobTable::coordinateCount(int index, QString *error) const
{
    if (index < 0 || index >= kJobCount) {
        *error = QCoreApplication::translate("JobTable", "No job is selected.");
        return std::nullopt;
    }
    if (CutLines.at(index)) {
        *error = QCoreApplication::translate("JobTable",
                                             "The directory line of job %1 was longer than a "
                                             "reply can be, so its point count is unknown; "
                                             "nothing was downloaded.")
                     .arg(index + 1);
        return std::nullopt;
    }
    const std::optional<int> count = plainCount(FixPointCounts.at(index));
    if (!count)
        *error = QCoreApplication::translate("JobTable",
                                             "The point count of job %1 in the instrument's "
                                             "directory is \"%2\", not a number (a comma in the "
                                             "job's name shifts the fields); nothing was "
                                             "downloaded.")
                     .arg(index + 1)
                     .arg(withoutLineEnd(FixPointCounts.at(index)));
    return count;
}
