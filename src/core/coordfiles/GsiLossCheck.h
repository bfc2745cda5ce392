// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/GsiWord.h"

#include <QList>
#include <QString>
#include <QStringView>

class CodePage;
struct PointRecord;

// What writing one point as a GSI line would lose. Empty coordinate fields
// are no loss (they are written as the empty value).
struct GsiPointLoss
{
    // Easting, northing, elevation: written as 0 because the value is outside
    // the range rule's limits or has more whole metres than the block holds.
    bool zeroed[3] = {false, false, false};
    // The name needs more bytes than the name block has and would be cut, so
    // two names could become one.
    bool nameCut = false;

    bool any() const { return zeroed[0] || zeroed[1] || zeroed[2] || nameCut; }
};

// The check before a lossy GSI save: Save as into GSI-16 or GSI-8 asks the
// user (the editor) or refuses (rqtcom-cli convert without --allow-loss)
// before writing anything when a point would lose a value or part of its
// name. It works one point at a time, so the editor's grid, a first pass over
// a file being converted and a stream of points are all checked alike:
//
//     GsiLossCheck check(GsiVariant::Gsi8);
//     for (row ...) check.add(row, point);
//     if (check.count() > 0) ask(check.summary());
//
// It agrees with GsiWriter: a point it passes is written without a zero in
// place of a value and with its whole name.
class GsiLossCheck
{
public:
    // rangeRule: Save as's range rule (+-10^9 m GSI-16, +-10^5 m GSI-8); Save
    // (GSI-16 without the rule) only loses values whose whole metres do not fit.
    explicit GsiLossCheck(GsiVariant variant, bool rangeRule = true);

    // The check of one point, with the ANSI code page the writers use.
    GsiPointLoss check(const PointRecord &point) const;
    static GsiPointLoss check(QStringView name, QStringView easting, QStringView northing,
                              QStringView elevation, GsiVariant variant, bool rangeRule,
                              const CodePage &page);

    // Checks the point of row (0-based) and counts it when it loses
    // something; the first kKeptRows such rows are kept with a description.
    // Returns true when the point loses something.
    bool add(qsizetype row, const PointRecord &point);

    struct Row
    {
        qsizetype row = 0; // 0-based
        QString text;      // "row 12 (name K100): easting 123456.789 outside the range"
    };
    static constexpr int kKeptRows = 20;

    qsizetype count() const { return m_count; }
    const QList<Row> &firstRows() const { return m_rows; }
    // 0-based rows of the kept descriptions.
    QList<qsizetype> rowNumbers() const;

    // One line per kept row, at most maxRows, then "... and N more rows" when
    // there are more; empty when nothing is lost.
    QString summary(int maxRows = 10) const;

    // The description of one lossy point, row counted from 0 (shown from 1).
    QString describe(qsizetype row, const PointRecord &point, const GsiPointLoss &loss) const;

    GsiVariant variant() const { return m_variant; }

private:
    GsiVariant m_variant;
    bool m_rangeRule;
    const CodePage &m_page;
    qsizetype m_count = 0;
    QList<Row> m_rows;
};
