// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimProtocol.h"

#include <cctype>

namespace {

const QByteArray kOk = "OK";
const QByteArray kError = "@E127"; // the instrument's "invalid command" answer
constexpr char kSub = 26;

// "17" -> 17; 0 when the text is not a job number.
int jobNumber(const QByteArray &text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number >= 1 && number <= SimJobStore::kJobCount ? number : 0;
}

QList<QByteArray> lines(std::initializer_list<const char *> texts)
{
    QList<QByteArray> list;
    for (const char *text : texts)
        list.append(text);
    return list;
}

} // namespace

SimProtocol::SimProtocol(SimJobStore store) : m_store(std::move(store)) {}

QByteArray SimProtocol::directoryLine(int number) const
{
    const SimJob &job = m_store.job(number);
    // The second field is the job's storage format; the PC reads but ignores it.
    return NameEncoding::readPage(m_nameEncoding).encode(job.name) + ",GSI16," +
           QByteArray::number(job.coordinates.size()) + ',' +
           QByteArray::number(job.observations.size());
}

QByteArray SimProtocol::startListing(const QList<QByteArray> &lines)
{
    m_listing = lines;
    m_listingPosition = 0;
    return nextListingLine();
}

QByteArray SimProtocol::nextListingLine()
{
    if (m_listingPosition >= m_listing.size())
        return QByteArray(1, kSub);
    return m_listing.at(m_listingPosition++);
}

QByteArray SimProtocol::storeUploadedLine(const QByteArray &line)
{
    m_store.job(m_receivingJob).coordinates.append(line);
    return kOk;
}

QByteArray SimProtocol::answer(const QByteArray &command)
{
    if (m_receivingJob != 0) {
        if (command.startsWith(kSub)) {
            m_receivingJob = 0;
            return kOk;
        }
        if (command.startsWith('*') || (!command.isEmpty() && std::isdigit(uchar(command[0]))))
            return storeUploadedLine(command);
        m_receivingJob = 0; // anything else ends the upload and is a command again
    }

    if (command == "?")
        return nextListingLine();
    if (command == "a")
        return "RQT-318";
    if (command == "c")
        return kOk;
    if (command.startsWith("CONF/"))
        return command.mid(5).rightJustified(4, '0') + "/0000";
    if (command == "GET//WI13")
        return "*13....+0000000000318027 ";
    if (command == "CODE/CONF/LIST")
        return startListing(lines({"CODE,TREE", "CODE,WALL", "CODE,KERB", "CODE,MH"}));
    if (command == "FORM/CONF/LIST")
        return startListing(lines({"FORM,0,GSI16", "FORM,1,GSI8", "FORM,2,IDEX"}));
    if (command == "HAL/CONF/LIST")
        return startListing(lines({"HAL,0,GON", "HAL,1,DEG"}));
    if (command == "VAL/CONF/LIST")
        return startListing(lines({"VAL,0,M", "VAL,1,FT"}));
    if (command.startsWith("FORM/SET/"))
        return kOk;
    if (command == "JOB/CONF/LIST") {
        QList<QByteArray> directory;
        for (int number = 1; number <= SimJobStore::kJobCount; ++number)
            directory.append(directoryLine(number));
        return startListing(directory);
    }
    if (command.startsWith("JOB/RCV/COORDS/") || command.startsWith("JOB/RCV/OBSERV/")) {
        const int number = jobNumber(command.mid(15));
        if (number == 0)
            return kError;
        const SimJob &job = m_store.job(number);
        // The data itself follows on "?".
        m_listing = command[8] == 'C' ? job.coordinates : job.observations;
        m_listingPosition = 0;
        return kOk;
    }
    if (command.startsWith("JOB/SND/COORD/")) {
        m_receivingJob = jobNumber(command.mid(14));
        return m_receivingJob != 0 ? kOk : kError;
    }
    if (command.startsWith("JOB/SET/")) {
        // JOB/SET/NAME/n: the name may itself hold no "/", the number follows the last one.
        const qsizetype slash = command.lastIndexOf('/');
        const int number = slash >= 8 ? jobNumber(command.mid(slash + 1)) : 0;
        if (number == 0)
            return kError;
        m_store.job(number).name =
            NameEncoding::writePage(m_nameEncoding).decode(command.mid(8, slash - 8));
        return kOk;
    }
    if (command.startsWith("JOB/ERASE/COORDS/")) {
        const int number = jobNumber(command.mid(17));
        if (number == 0)
            return kError;
        m_store.job(number).coordinates.clear();
        return kOk;
    }
    return kError;
}
