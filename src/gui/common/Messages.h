// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

// Every message box of the windows goes through here, so tests can record the
// texts instead of blocking on a modal box.
namespace Messages {

enum class Kind { Plain, Stop, Warning };

// Returns when the user has dismissed the box.
void show(QWidget *parent, const QString &text, Kind kind = Kind::Plain,
          const QString &caption = QString());
// Asks a yes/no question; true for yes.
bool ask(QWidget *parent, const QString &text, const QString &caption = QString());

// Offers choices (button texts, in order); returns the index chosen.
// defaultChoice is what Enter and Escape give and what a closed box means.
int choose(QWidget *parent, const QString &text, const QStringList &choices, int defaultChoice,
           const QString &caption = QString());

struct Handler
{
    std::function<void(const QString &text, Kind kind)> show;
    std::function<bool(const QString &text)> ask;
};
// Replaces the message boxes (tests); an empty handler restores them.
void setHandler(Handler handler);
// Replaces the choice boxes (tests); an empty function restores them. While a
// Handler is set and this is not, every choice gets its default.
using ChoiceHandler = std::function<int(const QString &text, const QStringList &choices)>;
void setChoiceHandler(ChoiceHandler handler);

} // namespace Messages
