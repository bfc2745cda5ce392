// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/Messages.h"

#include <QApplication>
#include <QPushButton>

namespace Messages {

namespace {
Handler &handler()
{
    static Handler h;
    return h;
}

ChoiceHandler &choiceHandler()
{
    static ChoiceHandler h;
    return h;
}

QString titleOr(const QString &caption)
{
    return caption.isEmpty() ? QStringLiteral("RQT300_COM") : caption;
}
} // namespace

void show(QWidget *parent, const QString &text, Kind kind, const QString &caption)
{
    if (handler().show) {
        handler().show(text, kind);
        return;
    }
    const QMessageBox::Icon icon = kind == Kind::Stop      ? QMessageBox::Critical
                                   : kind == Kind::Warning ? QMessageBox::Warning
                                                           : QMessageBox::NoIcon;
    QMessageBox box(icon, titleOr(caption), text, QMessageBox::Ok, parent);
    box.exec();
}

bool ask(QWidget *parent, const QString &text, const QString &caption)
{
    if (handler().ask)
        return handler().ask(text);
    return QMessageBox::question(parent, titleOr(caption), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

int choose(QWidget *parent, const QString &text, const QStringList &choices, int defaultChoice,
           const QString &caption)
{
    if (choiceHandler())
        return choiceHandler()(text, choices);
    if (handler().show || handler().ask)
        return defaultChoice;
    QMessageBox box(QMessageBox::Question, titleOr(caption), text, QMessageBox::NoButton, parent);
    QList<QPushButton *> buttons;
    for (const QString &choice : choices)
        buttons << box.addButton(choice, QMessageBox::ActionRole);
    if (defaultChoice >= 0 && defaultChoice < buttons.size()) {
        box.setDefaultButton(buttons.at(defaultChoice));
        box.setEscapeButton(buttons.at(defaultChoice));
    }
    box.exec();
    const int chosen = int(buttons.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
    return chosen < 0 ? defaultChoice : chosen;
}

void setHandler(Handler h)
{
    handler() = std::move(h);
}

void setChoiceHandler(ChoiceHandler h)
{
    choiceHandler() = std::move(h);
}

} // namespace Messages
