#include "ProgressDialog.h"

#include "common/DialogUnits.h"
#include "common/Messages.h"
#include "state/AppState.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ProgressDialog::Texts ProgressDialog::Texts::forLanguage(int uiLanguage)
{
    if (uiLanguage == 1)
        return {QStringLiteral("发送/接收..."), QStringLiteral("文件格式:"),
                QStringLiteral("从:"),          QStringLiteral("到:"),
                QStringLiteral("块:"),          QStringLiteral("取消")};
    return {QStringLiteral("Send/Receive..."), QStringLiteral("File Type:"),
            QStringLiteral("From:"),           QStringLiteral("To:"),
            QStringLiteral("Block:"),          QStringLiteral("CANCEL")};
}

QString ProgressDialog::dataTypeText(int dataTypeIndex)
{
    switch (dataTypeIndex) {
    case 0:
        return QStringLiteral("GSI(*.gsi)");
    case 1:
        return QStringLiteral("IDEX(*.gsi)");
    case 2:
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

ProgressDialog::ProgressDialog(AppState &state, const QString &uploadJobName, QWidget *parent,
                               int tickMs)
    : QDialog(parent), m_state(state)
{
    const Texts t = Texts::forLanguage(state.UiLanguage);
    const DialogUnits du(font());
    setWindowTitle(t.caption);

    auto *group = new QGroupBox(this);
    m_fileType = readOnlyField(group, du.x(111));
    m_destination = readOnlyField(group, du.x(111));
    m_block = readOnlyField(group, du.x(111));
    m_bar100 = new QProgressBar(group);
    m_bar1000 = new QProgressBar(group);
    m_cancel = new QPushButton(t.cancel, this);
    m_cancel->setMinimumSize(du.size(50, 14));
    m_cancel->setAutoDefault(false);

    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(du.x(16), du.y(10), du.x(16), du.y(6));
    grid->setColumnMinimumWidth(0, du.x(60));
    grid->addWidget(new QLabel(t.fileType, group), 0, 0);
    grid->addWidget(m_fileType, 0, 1);
    grid->addWidget(new QLabel(t.from, group), 1, 0); // has no field of its own
    grid->addWidget(new QLabel(t.to, group), 2, 0);
    grid->addWidget(m_destination, 2, 1);
    grid->addWidget(new QLabel(t.block, group), 3, 0);
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
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_cancel);
    row->addStretch(1);
    column->addLayout(row);

    TransferState &ts = m_state.transfer;
    m_fileType->setText(dataTypeText(ts.DataTypeIndex));
    if (ts.TransferKind == 3)
        m_destination->setText(ts.PcPath);
    else if (ts.TransferKind == 4 || ts.TransferKind == 5)
        m_destination->setText(uploadJobName);
    m_block->setText(ts.JobBlockCount.trimmed());
    ts.TransferDone = 0;
    ts.TransferBlock = 0;
    m_bar100->setRange(0, 100);
    m_bar100->setValue(0);
    m_bar1000->setRange(0, 1000);
    m_bar1000->setValue(0);

    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_timer, &QTimer::timeout, this, &ProgressDialog::tick);
    m_timer.start(tickMs);
}

void ProgressDialog::tick()
{
    TransferState &ts = m_state.transfer;
    if (ts.TransferBlock > 0) {
        m_block->setText(QString::number(ts.TransferBlock));
        m_bar100->setValue(qMin(ts.TransferBlock, 100));
        m_bar1000->setValue(qMin(ts.TransferBlock, 1000));
    }
    if (ts.TransferDone == 1) {
        ts.TransferDone = 0;
        ts.TransferBlock = 0;
        m_timer.stop();
        accept();
    }
}

void ProgressDialog::abortWithMessage(const QString &text)
{
    m_timer.stop();
    Messages::show(this, text, Messages::Kind::Stop);
    reject();
}
