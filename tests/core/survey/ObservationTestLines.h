// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/PointRecord.h"
#include "core/survey/ObservationReducer.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdio>
#include <initializer_list>

// Builds GSI-16 lines word by word, so each test shows the words it reads.
namespace obstest {

struct Word
{
    int index;
    char unit;                  // the unit digit
    long long count;            // the signed block
    const char *text = nullptr; // a name instead of a count (word 11)
};

inline QByteArray line16(std::initializer_list<Word> words)
{
    QByteArray line = "*";
    for (const Word &w : words) {
        char buffer[32];
        if (w.text) {
            const QByteArray text(w.text);
            std::snprintf(buffer, sizeof buffer, "%02d....+%s%s ", w.index,
                          QByteArray(16 - text.size(), '0').constData(), text.constData());
        } else {
            std::snprintf(buffer, sizeof buffer, "%02d...%c%c%016lld ", w.index, w.unit,
                          w.count < 0 ? '-' : '+', w.count < 0 ? -w.count : w.count);
        }
        line += buffer;
    }
    return line + "\r\n";
}

inline Word name(const char *text)
{
    return {11, '.', 0, text};
}

inline ReductionResult reduce(const QByteArray &file, const ReductionOptions &options,
                              PointList &points)
{
    QByteArray bytes = file;
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    return ObservationReducer::reduce(in, options, points);
}

} // namespace obstest
