// SPDX-License-Identifier: GPL-3.0-or-later
#include "CellEditBox.h"

#include <QFocusEvent>
#include <QKeyEvent>

CellEditBox::CellEditBox(QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("CellEdit"));
    setFrame(true);
}

void CellEditBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        Q_EMIT commitRequested();
        return;
    case Qt::Key_Escape:
        event->accept();
        Q_EMIT cancelRequested();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CellEditBox::focusInEvent(QFocusEvent *event)
{
    // A line edit selects everything when focus arrives by Tab, as it does when
    // a dialog is shown; typing would then replace the cell instead of adding.
    const int caret = cursorPosition();
    QLineEdit::focusInEvent(event);
    if (hasSelectedText()) {
        deselect();
        setCursorPosition(caret);
    }
}
