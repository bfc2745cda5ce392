// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// What a typed cell may hold before it goes into the grid. Coordinates are
// numbers as the file readers parse them; names and codes must not carry the
// characters that end a field or a line in the delimited formats.
class CellCheck
{
    Q_DECLARE_TR_FUNCTIONS(CellCheck)

public:
    struct Outcome
    {
        bool accepted = true;
        QString text;   // what goes into the cell (a coordinate loses its blanks)
        QString reason; // one short line when refused
    };

    static Outcome check(int column, const QString &typed);
};
