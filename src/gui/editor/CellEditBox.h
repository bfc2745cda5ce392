// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

// The grid's in-place edit box. Enter and Escape are answered here so that they
// finish the cell instead of reaching the dialog, which would close the window.
class CellEditBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit CellEditBox(QWidget *parent = nullptr);

Q_SIGNALS:
    void commitRequested();
    void cancelRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};
