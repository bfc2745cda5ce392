// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// Why a typed cell was refused, shown as a tip beside the cell's editor.
class CellReasonLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CellReasonLabel(QWidget *viewport);

    // Below the cell, or above it at the bottom of the viewport.
    void showBeside(const QRect &cell, const QString &reason);
};
