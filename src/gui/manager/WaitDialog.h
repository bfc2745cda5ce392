#pragma once

#include <QDialog>
#include <QTimer>

struct AppState;
class QLabel;
class QPushButton;

// The wait dialog: shown while a connection opens and the job directory is
// read. It watches the transfer values once a tick and is the one place that
// gives up on a silent instrument (after ten ticks without an answer).
class WaitDialog : public QDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString initiating, pleaseWait, cancel;
        static Texts forLanguage(int uiLanguage);
    };
    static constexpr int kDefaultTickMs = 1000;
    static constexpr int kSilentTicks = 10;

    WaitDialog(AppState &state, QWidget *parent = nullptr, int tickMs = kDefaultTickMs);

    static QString failureText() { return QStringLiteral("Communication Err,Please Check Port!"); }

    // Closes the dialog after telling the user why (the link went away).
    void abortWithMessage(const QString &text);
    void tick();

    QLabel *titleLabel() const { return m_title; }
    QLabel *waitLabel() const { return m_wait; }
    QPushButton *cancelButton() const { return m_cancel; }
    int tickCount() const { return m_ticks; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void cancel();

    AppState &m_state;
    QTimer m_timer;
    int m_ticks = 0;
    QLabel *m_title;
    QLabel *m_wait;
    QPushButton *m_cancel;
};
