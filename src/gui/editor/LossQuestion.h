// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/CoordFileIo.h"

#include <QCoreApplication>
#include <QString>

class PointSource;
class QWidget;

// The question before a GSI save that cannot keep every value: it names the
// format, how many rows are affected and the first of them, and nothing is
// written unless the user chooses to save anyway. Cancel is the default.
class LossQuestion
{
    Q_DECLARE_TR_FUNCTIONS(LossQuestion)

public:
    static constexpr int kListedRows = 10;

    // True when points can be written as format without loss, or the user
    // agreed to the loss; other formats keep every text and pass at once.
    static bool confirm(QWidget *parent, const PointSource &points, CoordFormat format,
                        bool rangeRule);

    // The box alone; rows: one line per listed row.
    static bool ask(QWidget *parent, const QString &formatName, qsizetype count,
                    const QString &rows);
};
