// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/NewNameDialog.h"

#include "core/protocol/ConversationEngine.h"
#include "core/protocol/JobTable.h"
#include "core/state/AppState.h"
#include "gui/common/DialogUnits.h"
#include "gui/common/Messages.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NewNameDialog::NewNameDialog(AppState &state, QWidget *parent)
    : QDialog(parent), m_encoding(state.commSettings.JobNameEncoding)
{
    const DialogUnits du(font());
    setWindowTitle(tr("New File"));

    auto *frame = new QGroupBox(this);
    m_name = new QLineEdit(frame);
    m_name->setMinimumWidth(du.x(128));
    auto *inner = new QVBoxLayout(frame);
    inner->addWidget(new QLabel(tr("Please input new file name:"), frame));
    inner->addWidget(m_name);
    // The instrument's directory line must carry the name within one reply.
    m_limit = new QLabel(tr("At most %1 letters or digits, or %2 Chinese characters.")
                             .arg(JobTable::kMaxJobNameBytes)
                             .arg(JobTable::kMaxJobNameBytes / 2),
                         frame);
    m_limit->setObjectName(QStringLiteral("nameLimit"));
    m_limit->setWordWrap(true);
    inner->addWidget(m_limit);

    m_ok = new QPushButton(tr("OK"), this);
    m_cancel = new QPushButton(tr("CANCEL"), this);
    m_ok->setDefault(true);
    // The platform's order of OK and CANCEL, centred under the frame as always.
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    buttons->setCenterButtons(true);
    auto *column = new QVBoxLayout(this);
    column->addWidget(frame);
    column->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &NewNameDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString NewNameDialog::name() const
{
    return m_name->text();
}

QString NewNameDialog::nameError(const QString &name, NameEncoding::Choice encoding)
{
    if (name.trimmed().isEmpty())
        return tr("Please enter a job name.");
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char(',') || c.category() == QChar::Other_Control)
            return tr("A job name must not hold \"/\", \",\" or control characters.");
    }
    const QString refused = ConversationEngine::jobNameError(name, encoding);
    // The engine's reason is a whole sentence in English; a translation may lead in.
    return refused.isEmpty() ? QString()
                             : tr("%1", "the job name was refused for this reason").arg(refused);
}

void NewNameDialog::confirm()
{
    const QString error = nameError(name(), m_encoding);
    if (!error.isEmpty()) {
        Messages::show(this, error, Messages::Kind::Warning);
        return;
    }
    accept();
}
