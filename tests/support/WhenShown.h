// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <functional>

// Calls a handler with each widget of type T as it is shown, so a test can
// answer a dialog a command opens (with exec() or open()) without the
// program announcing it. Watches until deleted (owner deletes it at the
// latest), or, made with Once, until the first T has been shown.
template <typename T> class WhenShown : public QObject
{
public:
    enum Count { Each, Once };

    WhenShown(QObject *owner, std::function<void(T *)> handler, Count count = Each)
        : QObject(owner), m_handler(std::move(handler)), m_count(count)
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_done || event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        if (T *widget = qobject_cast<T *>(watched)) {
            if (m_count == Once) {
                m_done = true;
                qApp->removeEventFilter(this);
                deleteLater();
            }
            m_handler(widget);
        }
        return false;
    }

private:
    std::function<void(T *)> m_handler;
    Count m_count;
    bool m_done = false;
};
