// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/TransferTypes.h"

#include <QDialog>

#include <functional>

struct AppState;
struct JobTable;
class QComboBox;
class QLineEdit;
class QPushButton;

// The upload dialog: the PC file to upload and the job slot it goes to. A slot named
// "<empty>" asks for a name first (NewNameDialog). OK stays disabled until a
// slot is chosen, so no upload can go on without one.
class UploadDialog : public QDialog
{
    Q_OBJECT
public:
    using Confirm = std::function<QString(const UploadRequest &request)>;

    UploadDialog(AppState &state, const JobTable &jobs, Confirm confirm, QWidget *parent = nullptr);

    // The slot chosen in the list, -1 when none (or typed text).
    int chosenSlot() const;
    UploadRequest request() const { return m_request; }

    QLineEdit *fromField() const { return m_from; }
    QComboBox *jobBox() const { return m_jobs; }
    QComboBox *dataTypeBox() const { return m_dataType; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    void updateOk();
    void confirm();

    AppState &m_state;
    const JobTable &m_table;
    Confirm m_confirm;
    UploadRequest m_request;
    QLineEdit *m_from;
    QComboBox *m_jobs, *m_dataType;
    QPushButton *m_ok, *m_cancel;
};
