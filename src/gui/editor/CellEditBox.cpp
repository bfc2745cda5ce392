#include "CellEditBox.h"

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
