// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

// Answers the modal dialogs a command opens, in order, the way a user would:
// each handler gets the modal widget on top when its turn comes. Nested dialogs (the question a
// file dialog asks before replacing a file) are answered from inside the outer
// dialog's loop.
class ModalAnswerer : public QObject
{
public:
    using Handler = std::function<void(QWidget *)>;

    ModalAnswerer();

    ModalAnswerer &then(Handler handler);
    // Waits for the dialog of this object name, leaving the modal dialogs
    // before it (a progress dialog that closes itself) alone.
    ModalAnswerer &thenFor(const QString &objectName, Handler handler);
    bool allAnswered() const { return m_handlers.empty(); }
    // Texts of the message boxes answered so far.
    const QStringList &messages() const { return m_messages; }
    // Object names of the dialogs answered so far.
    const QStringList &dialogs() const { return m_dialogs; }
    // Object names of dialogs that came when no answer was left; they are closed.
    const QStringList &unexpected() const { return m_unexpected; }
    // For a fixture's TearDown: every dialog came when expected, and every
    // answer prepared was used.
    void expectEveryDialogAnswered() const
    {
        EXPECT_TRUE(m_unexpected.isEmpty())
            << m_unexpected.join(' ').toStdString() << ": " << m_messages.join(' ').toStdString();
        EXPECT_TRUE(allAnswered());
    }

    // Chooses path (and the file-type entry with that text) and accepts.
    static Handler chooseFile(const QString &path, const QString &fileType = QString());
    static Handler cancelDialog();
    // Presses the message box button with this standard role.
    Handler press(int standardButton);

private:
    void poll();
    void schedule();

    struct Answer
    {
        QString objectName; // empty: whichever dialog comes next
        Handler handler;
    };
    std::deque<Answer> m_handlers;
    QStringList m_messages;
    QStringList m_dialogs;
    QStringList m_unexpected;
};
