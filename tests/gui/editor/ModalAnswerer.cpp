// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/gui/editor/ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

ModalAnswerer::ModalAnswerer()
{
    schedule();
}

ModalAnswerer &ModalAnswerer::then(Handler handler)
{
    m_handlers.push_back({QString(), std::move(handler)});
    return *this;
}

ModalAnswerer &ModalAnswerer::thenFor(const QString &objectName, Handler handler)
{
    m_handlers.push_back({objectName, std::move(handler)});
    return *this;
}

ModalAnswerer::Handler ModalAnswerer::chooseFile(const QString &path, const QString &fileType)
{
    return [path, fileType](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (!dialog)
            return;
        if (!fileType.isEmpty())
            dialog->selectNameFilter(fileType);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides its override
    };
}

ModalAnswerer::Handler ModalAnswerer::cancelDialog()
{
    return [](QWidget *widget) {
        if (auto *dialog = qobject_cast<QDialog *>(widget))
            dialog->reject();
    };
}

ModalAnswerer::Handler ModalAnswerer::press(int standardButton)
{
    return [this, standardButton](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box)
            return;
        m_messages.append(box->text());
        if (QAbstractButton *button = box->button(QMessageBox::StandardButton(standardButton)))
            button->click();
    };
}

void ModalAnswerer::schedule()
{
    QTimer::singleShot(5, this, &ModalAnswerer::poll);
}

void ModalAnswerer::poll()
{
    // The next poll is due before the handler runs: the handler may open a
    // nested dialog whose loop must still reach us.
    schedule();
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (m_handlers.empty()) {
        // Nobody expected this dialog: close it rather than hang the test.
        m_unexpected.append(modal->objectName());
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            m_messages.append(box->text());
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        return;
    }
    if (!m_handlers.front().objectName.isEmpty() &&
        m_handlers.front().objectName != modal->objectName())
        return;
    m_dialogs.append(modal->objectName());
    Handler handler = std::move(m_handlers.front().handler);
    m_handlers.pop_front();
    handler(modal);
}
