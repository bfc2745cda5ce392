// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/CellCheck.h"

#include <QRegularExpression>

namespace {

constexpr int kNameColumn = 1;
constexpr int kCodeColumn = 5;

bool isCoordinateColumn(int column)
{
    return column >= 2 && column <= 4;
}

// Sign, digits, one decimal point; no exponent, no thousands separator.
bool isPlainNumber(const QString &text)
{
    static const QRegularExpression kNumber(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    return kNumber.match(text).hasMatch();
}

bool breaksALine(const QString &text)
{
    for (QChar c : text) {
        if (c == u',' || c == u'"' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

} // namespace

CellCheck::Outcome CellCheck::check(int column, const QString &typed)
{
    Outcome outcome;
    outcome.text = typed;
    if (isCoordinateColumn(column)) {
        outcome.text = typed.trimmed();
        if (outcome.text.isEmpty() || isPlainNumber(outcome.text))
            return outcome;
        outcome.accepted = false;
        outcome.reason = outcome.text.contains(u',')
                             ? tr("Use a decimal point, not a comma.")
                             : tr("Enter a number in metres, such as 512345.678.");
        return outcome;
    }
    if ((column == kNameColumn || column == kCodeColumn) && breaksALine(typed)) {
        outcome.accepted = false;
        outcome.reason = column == kNameColumn
                             ? tr("A name cannot hold a comma, a quote or a control character.")
                             : tr("A code cannot hold a comma, a quote or a control character.");
    }
    return outcome;
}
