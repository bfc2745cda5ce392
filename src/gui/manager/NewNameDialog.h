// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/text/NameEncoding.h"

#include <QDialog>

struct AppState;
class QLabel;
class QLineEdit;
class QPushButton;

// "New File": the name for an empty job slot before an upload.
class NewNameDialog : public QDialog
{
    Q_OBJECT
public:
    explicit NewNameDialog(AppState &state, QWidget *parent = nullptr);

    // Why a job name cannot be sent: empty, holding "/", "," (the instrument's
    // separators) or control characters, or too long for the instrument's
    // directory line, or not stored in the chosen name encoding. Empty text when fine.
    static QString nameError(const QString &name,
                             NameEncoding::Choice encoding = NameEncoding::Automatic);

    QString name() const;
    QLineEdit *nameField() const { return m_name; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QLabel *limitLabel() const { return m_limit; }

private:
    void confirm();

    NameEncoding::Choice m_encoding;
    QLineEdit *m_name;
    QLabel *m_limit;
    QPushButton *m_ok, *m_cancel;
};
