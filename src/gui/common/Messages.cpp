// SPDX-License-Identifier: GPL-3.0-or-later
#include "Messages.h"

#include <QApplication>

namespace Messages {

namespace {
Handler &handler()
{
    static Handler h;
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

void setHandler(Handler h)
{
    handler() = std::move(h);
}

} // namespace Messages
