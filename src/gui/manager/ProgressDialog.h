// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/manager/ProgressInfo.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// "Send/Receive...": follows a download or an upload. Opened with open(); the
// controller's progress and end drive it. CANCEL, Escape
// or closing it asks for the transfer to be cancelled (cancelRequested); it
// closes once the transfer has stopped.
// The bars count lines (full at 100 and at 1000), not a percentage.
class ProgressDialog : public QDialog
{
    Q_OBJECT
public:
    using Info = ProgressInfo;

    explicit ProgressDialog(const Info &info, QWidget *parent = nullptr);

    static QString dataTypeText(DownloadFormat format);

    // Lines transferred so far (total is not shown: the bars count lines).
    void setProgress(int done, int total);
    // The transfer ended, whichever way: the dialog closes with OK.
    void transferEnded();
    // CANCEL and Escape.
    void reject() override;

    QLineEdit *fileTypeField() const { return m_fileType; }
    QLineEdit *destinationField() const { return m_destination; }
    QLineEdit *blockField() const { return m_block; }
    QProgressBar *shortBar() const { return m_bar100; }
    QProgressBar *longBar() const { return m_bar1000; }
    QPushButton *cancelButton() const { return m_cancel; }

Q_SIGNALS:
    void cancelRequested();

private:
    QLineEdit *m_fileType, *m_destination, *m_block;
    QProgressBar *m_bar100, *m_bar1000;
    QPushButton *m_cancel;
};
