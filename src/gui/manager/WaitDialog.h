// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QPushButton;

// The wait dialog: opened with open() while a connection opens and the job
// directory is read. The controller's signals tell it when the instrument
// answers and when the directory is in; its own timer is its patience: ten ticks without an answer
// and it gives up on a silent instrument. CANCEL, Escape or closing it asks
// for the connection to be cancelled (cancelRequested).
class WaitDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDefaultTickMs = 1000;
    static constexpr int kSilentTicks = 10;

    explicit WaitDialog(QWidget *parent = nullptr, int tickMs = kDefaultTickMs);

    static QString failureText() { return QStringLiteral("Communication Err,Please Check Port!"); }

    // The instrument answered the opening call: no more giving up.
    void instrumentAnswered();
    // The job directory has been read: the dialog closes with OK.
    void directoryRead();
    // Closes the dialog after telling the user why (the link went away).
    void abortWithMessage(const QString &text);
    void tick();
    // CANCEL and Escape: the connection is to be cancelled.
    void reject() override;

    QLabel *titleLabel() const { return m_title; }
    QLabel *waitLabel() const { return m_wait; }
    QPushButton *cancelButton() const { return m_cancel; }
    int tickCount() const { return m_ticks; }

Q_SIGNALS:
    void cancelRequested();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    int m_ticks = 0;
    bool m_answered = false;
    QLabel *m_title;
    QLabel *m_wait;
    QPushButton *m_cancel;
};
