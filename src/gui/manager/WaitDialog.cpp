// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/WaitDialog.h"

#include "gui/common/DialogUnits.h"
#include "gui/common/Messages.h"
#include "gui/common/Pictures.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

WaitDialog::WaitDialog(QWidget *parent, int tickMs) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    const DialogUnits du(font());
    const QString initiating = tr("Initiating Communication");
    setWindowTitle(initiating);
    setFixedSize(du.size(158, 100));

    m_title = new QLabel(initiating, this);
    m_wait = new QLabel(tr("Please Wait..."), this);
    m_cancel = new QPushButton(tr("CANCEL"), this);
    m_cancel->setAutoDefault(false);
    for (QLabel *l : {m_title, m_wait})
        l->setAlignment(Qt::AlignHCenter);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(du.x(4), du.y(12), du.x(2), du.y(2));
    column->setSpacing(du.y(2));
    column->addWidget(m_title);
    column->addWidget(m_wait);
    column->addStretch(1);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    column->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &WaitDialog::reject);
    connect(&m_timer, &QTimer::timeout, this, &WaitDialog::tick);
    m_ticks = 0;
    m_timer.start(tickMs);
}

void WaitDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // Instrument and cable below the texts: what is being reached.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const DialogUnits du(font());
    const QIcon plug = Pictures::treeIcon(Pictures::Tree::Plug);
    const QRect area(du.x(8), du.y(40), du.x(90), du.y(36));
    const QSize pic = Pictures::treeSize() * 2;
    plug.paint(&p, QRect(area.topLeft(), pic));
    p.setPen(QPen(QColor(0x1f, 0x6f, 0xb5), 2, Qt::DashLine));
    p.drawLine(area.left() + pic.width() + 4, area.top() + pic.height() / 2, area.right(),
               area.top() + pic.height() / 2);
}

void WaitDialog::tick()
{
    // Once the instrument has answered the dialog waits as long as the directory takes.
    if (m_answered)
        return;
    if (m_ticks < kSilentTicks) {
        ++m_ticks;
        return;
    }
    m_timer.stop();
    m_ticks = 0;
    Messages::show(this, failureText());
    accept();
}

void WaitDialog::instrumentAnswered()
{
    m_answered = true;
}

void WaitDialog::directoryRead()
{
    m_timer.stop();
    accept();
}

void WaitDialog::reject()
{
    m_timer.stop();
    Q_EMIT cancelRequested();
    QDialog::reject();
}

void WaitDialog::abortWithMessage(const QString &text)
{
    m_timer.stop();
    Messages::show(this, text, Messages::Kind::Stop);
    QDialog::reject();
}
