// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/CellReasonLabel.h"

CellReasonLabel::CellReasonLabel(QWidget *viewport) : QLabel(viewport)
{
    setObjectName(QStringLiteral("cellReason"));
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMargin(2);
}

void CellReasonLabel::showBeside(const QRect &cell, const QString &reason)
{
    setText(reason);
    adjustSize();
    const QWidget *area = parentWidget();
    QPoint at(cell.left(), cell.bottom() + 1);
    if (at.y() + height() > area->height())
        at.setY(cell.top() - height() - 1);
    at.setX(qBound(0, at.x(), qMax(0, area->width() - width())));
    move(at);
    show();
    raise();
}
