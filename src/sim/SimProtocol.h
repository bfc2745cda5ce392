// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/text/NameEncoding.h"
#include "sim/SimJobStore.h"

#include <QByteArray>
#include <QList>

// What the simulated RQT-318 answers: one reply line per command line. Pure
// logic; SimInstrument puts it on a pty with the line timing.
//
// Listings ("JOB/CONF/LIST", the other .../CONF/LIST queries, the coordinate
// and observation requests) are paged with "?"; a "?" past the end of a
// listing answers a line holding byte 26 alone. After "JOB/SND/COORD/n" every
// data line is stored into job n until byte 26 ends the upload.
class SimProtocol
{
public:
    explicit SimProtocol(SimJobStore store = SimJobStore());

    // One command without its end mark; the reply without its line end.
    QByteArray answer(const QByteArray &command);

    // "NAME,SECOND,FIXCOUNT,MEASCOUNT" as the instrument lists a job; an
    // unnamed job's line begins with the comma.
    QByteArray directoryLine(int number) const;

    // The encoding the instrument keeps its job names in; Automatic stands
    // for an instrument that matches the PC's code pages.
    void setNameEncoding(NameEncoding::Choice encoding) { m_nameEncoding = encoding; }

    const SimJobStore &store() const { return m_store; }
    SimJobStore &store() { return m_store; }

private:
    QByteArray startListing(const QList<QByteArray> &lines);
    QByteArray nextListingLine();
    QByteArray storeUploadedLine(const QByteArray &line);

    SimJobStore m_store;
    QList<QByteArray> m_listing;
    int m_listingPosition = 0;
    int m_receivingJob = 0; // job taking uploaded lines; 0: none
    NameEncoding::Choice m_nameEncoding = NameEncoding::Automatic;
};
