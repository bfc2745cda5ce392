// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/LossQuestion.h"

#include "core/coordfiles/FormatTable.h"
#include "core/coordfiles/GsiLossCheck.h"
#include "gui/common/ToolNames.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

QString describe(qsizetype row, const PointRecord &point, const GsiPointLoss &loss)
{
    const QString fields[3] = {LossQuestion::tr("easting"), LossQuestion::tr("northing"),
                               LossQuestion::tr("elevation")};
    const QString *values[3] = {&point.easting, &point.northing, &point.elevation};
    QStringList what;
    for (int i = 0; i < 3; ++i) {
        if (loss.zeroed[i])
            what << LossQuestion::tr("%1 %2 would be 0").arg(fields[i], values[i]->trimmed());
    }
    if (loss.nameCut)
        what << LossQuestion::tr("name %1 would be cut").arg(point.name);
    return LossQuestion::tr("Row %1: %2").arg(row + 1).arg(what.join(QStringLiteral("; ")));
}

} // namespace

bool LossQuestion::confirm(QWidget *parent, const PointSource &points, CoordFormat format,
                           bool rangeRule)
{
    const FormatInfo *info = FormatTable::find(format);
    if (!info || !info->gsiLimits)
        return true;
    const GsiLossCheck check(*info->gsiLimits, rangeRule);
    qsizetype count = 0;
    QStringList rows;
    for (qsizetype row = 0; row < points.pointCount(); ++row) {
        // Rows without a position are not written, so they lose nothing.
        if (!points.hasPosition(row))
            continue;
        const PointRecord point = points.point(row);
        const GsiPointLoss loss = check.check(point);
        if (!loss.any())
            continue;
        if (++count <= kListedRows)
            rows << describe(row, point, loss);
    }
    if (count == 0)
        return true;
    if (count > kListedRows)
        rows << tr("... and %1 more rows").arg(count - kListedRows);
    return ask(parent, CoordFileIo::formatName(format), count, rows.join(QLatin1Char('\n')));
}

bool LossQuestion::ask(QWidget *parent, const QString &formatName, qsizetype count,
                       const QString &rows)
{
    QMessageBox box(QMessageBox::Warning, ToolNames::editor(),
                    tr("%1 cannot hold every row exactly (%2 affected): a value outside its "
                       "range would be written as 0, and a name longer than its block would be "
                       "cut, so two points could become one.\n\nNothing has been written yet.")
                        .arg(formatName)
                        .arg(count),
                    QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("lossQuestion"));
    box.setInformativeText(rows);
    QPushButton *anyway = box.addButton(tr("Save anyway"), QMessageBox::AcceptRole);
    anyway->setObjectName(QStringLiteral("saveAnywayButton"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == anyway;
}
