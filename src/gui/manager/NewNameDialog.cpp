// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewNameDialog.h"

#include "ManagerTexts.h"
#include "TransferTexts.h"
#include "common/DialogUnits.h"
#include "common/Messages.h"
#include "protocol/ConversationEngine.h"
#include "protocol/JobTable.h"
#include "state/AppState.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NewNameDialog::NewNameDialog(AppState &state, QWidget *parent)
    : QDialog(parent), m_uiLanguage(state.UiLanguage),
      m_encoding(state.commSettings.JobNameEncoding)
{
    const TransferTexts t = TransferTexts::forLanguage(state.UiLanguage);
    const DialogUnits du(font());
    setWindowTitle(t.newFileCaption);

    auto *frame = new QGroupBox(this);
    m_name = new QLineEdit(frame);
    m_name->setMinimumWidth(du.x(128));
    auto *inner = new QVBoxLayout(frame);
    inner->setContentsMargins(du.x(13), du.y(8), du.x(40), du.y(6));
    inner->addWidget(new QLabel(t.newFilePrompt, frame));
    inner->addWidget(m_name);
    // The instrument's directory line must carry the name within one reply.
    m_limit = new QLabel(tr("At most %1 letters or digits, or %2 Chinese characters.")
                             .arg(JobTable::kMaxJobNameBytes)
                             .arg(JobTable::kMaxJobNameBytes / 2),
                         frame);
    m_limit->setObjectName(QStringLiteral("nameLimit"));
    m_limit->setWordWrap(true);
    inner->addWidget(m_limit);

    m_ok = new QPushButton(t.ok, this);
    m_cancel = new QPushButton(t.cancel, this);
    for (QPushButton *b : {m_ok, m_cancel})
        b->setMinimumSize(du.size(50, 14));
    m_ok->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addSpacing(du.x(15));
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    auto *column = new QVBoxLayout(this);
    column->addWidget(frame);
    column->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &NewNameDialog::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString NewNameDialog::name() const
{
    return m_name->text();
}

QString NewNameDialog::nameError(const QString &name, int uiLanguage, NameEncoding::Choice encoding)
{
    const ManagerMessages m = ManagerMessages::forLanguage(uiLanguage);
    if (name.trimmed().isEmpty())
        return m.enterJobName;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char(',') || c.category() == QChar::Other_Control)
            return m.jobNameBadChars;
    }
    const QString refused = ConversationEngine::jobNameError(name, encoding);
    return refused.isEmpty() ? QString() : m.jobNameRefused.arg(refused);
}

void NewNameDialog::confirm()
{
    const QString error = nameError(name(), m_uiLanguage, m_encoding);
    if (!error.isEmpty()) {
        Messages::show(this, error, Messages::Kind::Warning);
        return;
    }
    accept();
}
