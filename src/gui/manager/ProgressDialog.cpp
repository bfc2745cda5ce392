// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/ProgressDialog.h"

#include "gui/common/DialogUnits.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

QString ProgressDialog::dataTypeText(DownloadFormat format)
{
    switch (format) {
    case DownloadFormat::Gsi:
        return QStringLiteral("GSI(*.gsi)");
    case DownloadFormat::Idex:
        return QStringLiteral("IDEX(*.idex)");
    case DownloadFormat::Cass:
        return QStringLiteral("CASS(*.dat)");
    }
    return QString();
}

namespace {

QLineEdit *readOnlyField(QWidget *parent, int width)
{
    auto *field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setMinimumWidth(width);
    return field;
}

// A bar with its scale written underneath.
QWidget *scaledBar(QProgressBar *bar, const QStringList &marks, int width, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    bar->setMinimumWidth(width);
    bar->setTextVisible(false);
    column->addWidget(bar);
    auto *scale = new QHBoxLayout;
    for (int i = 0; i < marks.size(); ++i) {
        if (i > 0)
            scale->addStretch(1);
        scale->addWidget(new QLabel(marks[i], box));
    }
    column->addLayout(scale);
    return box;
}

} // namespace

ProgressDialog::ProgressDialog(const Info &info, QWidget *parent) : QDialog(parent)
{
    const DialogUnits du(font());
    setWindowTitle(tr("Send/Receive..."));

    auto *group = new QGroupBox(this);
    m_fileType = readOnlyField(group, du.x(111));
    m_destination = readOnlyField(group, du.x(111));
    m_block = readOnlyField(group, du.x(111));
    m_bar100 = new QProgressBar(group);
    m_bar1000 = new QProgressBar(group);
    m_cancel = new QPushButton(tr("CANCEL"), this);
    m_cancel->setAutoDefault(false);

    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(du.x(16), du.y(10), du.x(16), du.y(6));
    grid->setColumnMinimumWidth(0, du.x(60));
    grid->addWidget(new QLabel(tr("File Type:"), group), 0, 0);
    grid->addWidget(m_fileType, 0, 1);
    grid->addWidget(new QLabel(tr("From:"), group), 1, 0); // has no field of its own
    grid->addWidget(new QLabel(tr("To:"), group), 2, 0);
    grid->addWidget(m_destination, 2, 1);
    grid->addWidget(new QLabel(tr("Block:"), group), 3, 0);
    grid->addWidget(m_block, 3, 1);
    grid->setRowMinimumHeight(4, du.y(6));
    grid->addWidget(scaledBar(m_bar100,
                              {QStringLiteral("0"), QStringLiteral("50"), QStringLiteral("100")},
                              du.x(125), group),
                    5, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(scaledBar(m_bar1000,
                              {QStringLiteral("0"), QStringLiteral("500"), QStringLiteral("1000")},
                              du.x(201), group),
                    6, 0, 1, 2, Qt::AlignLeft);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(du.x(13), du.y(8), du.x(13), du.y(4));
    column->addWidget(group);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    buttons->setCenterButtons(true);
    column->addWidget(buttons);

    m_fileType->setText(dataTypeText(info.downloadFormat));
    m_destination->setText(info.destination);
    m_block->setText(info.countText.trimmed());
    m_bar100->setRange(0, 100);
    m_bar100->setValue(0);
    m_bar1000->setRange(0, 1000);
    m_bar1000->setValue(0);

    connect(buttons, &QDialogButtonBox::rejected, this, &ProgressDialog::reject);
}

void ProgressDialog::setProgress(int done, int)
{
    if (done <= 0)
        return;
    m_block->setText(QString::number(done));
    m_bar100->setValue(qMin(done, 100));
    m_bar1000->setValue(qMin(done, 1000));
}

void ProgressDialog::transferEnded()
{
    accept();
}

void ProgressDialog::reject()
{
    // The manager cancels the transfer, whose end closes the dialog; a dialog
    // whose transfer has already gone closes at once.
    Q_EMIT cancelRequested();
    if (isVisible())
        QDialog::reject();
}
