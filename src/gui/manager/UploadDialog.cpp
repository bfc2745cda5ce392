// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/UploadDialog.h"

#include "core/protocol/JobTable.h"
#include "core/state/AppState.h"
#include "gui/common/DialogUnits.h"
#include "gui/common/Messages.h"
#include "gui/manager/CommSettingsDialog.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/NewNameDialog.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

UploadDialog::UploadDialog(AppState &state, const JobTable &jobs, Confirm confirm, QWidget *parent)
    : QDialog(parent), m_state(state), m_table(jobs), m_confirm(std::move(confirm))
{
    const DialogUnits du(font());
    // The upload dialog has always carried the download dialog's caption.
    setWindowTitle(tr("File Down..."));

    auto *frame = new QGroupBox(this);
    m_from = new QLineEdit(frame);
    m_from->setReadOnly(true);
    m_from->setMinimumWidth(du.x(150));
    m_jobs = new QComboBox(frame);
    m_jobs->setEditable(true);
    m_jobs->setInsertPolicy(QComboBox::NoInsert);
    // Inline completion takes the selected text for a completion and swallows
    // the first Enter; with a popup, Enter presses OK at once.
    m_jobs->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_jobs->setMinimumWidth(du.x(90));
    m_dataType = new QComboBox(frame);
    m_dataType->setEditable(true);
    m_dataType->setInsertPolicy(QComboBox::NoInsert);
    m_dataType->setMinimumWidth(du.x(78));
    m_ok = new QPushButton(tr("OK"), this);
    m_cancel = new QPushButton(tr("CANCEL"), this);
    m_ok->setDefault(true);

    auto *grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(tr("From:"), frame), 0, 0);
    grid->addWidget(m_from, 0, 1, 1, 2);
    grid->addWidget(new QLabel(tr("To:"), frame), 1, 0);
    grid->addWidget(new QLabel(tr("File Name:"), frame), 2, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Data Type:"), frame), 2, 2);
    grid->addWidget(m_jobs, 3, 0, 1, 2);
    grid->addWidget(m_dataType, 3, 2);
    grid->setColumnMinimumWidth(0, du.x(50));
    grid->setHorizontalSpacing(du.x(20));

    // The platform's order of OK and CANCEL, centred under the frame as always.
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    buttons->setCenterButtons(true);
    auto *column = new QVBoxLayout(this);
    column->addWidget(frame);
    column->addWidget(buttons);

    m_from->setText(QDir::toNativeSeparators(m_state.selection.pcPath));
    for (int i = 0; i < JobTable::kJobCount; ++i)
        m_jobs->addItem(InstrumentTree::slotText(m_table, i));
    const int job = m_state.selection.jobNumber;
    m_jobs->setCurrentIndex(job >= 1 && job <= JobTable::kJobCount ? job - 1 : -1);
    m_dataType->addItems({QStringLiteral("GSI"), QStringLiteral("IDEX")});
    m_dataType->setCurrentIndex(-1); // the file's own first line decides the form

    m_jobs->setFocus();

    connect(m_jobs, &QComboBox::currentIndexChanged, this, &UploadDialog::updateOk);
    connect(m_jobs, &QComboBox::editTextChanged, this, &UploadDialog::updateOk);
    connect(m_ok, &QPushButton::clicked, this, &UploadDialog::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    updateOk();
}

int UploadDialog::chosenSlot() const
{
    return CommSettingsDialog::chosenIndex(m_jobs);
}

void UploadDialog::updateOk()
{
    m_ok->setEnabled(chosenSlot() >= 0);
}

void UploadDialog::confirm()
{
    const int slot = chosenSlot();
    if (slot < 0)
        return;
    UploadRequest r;
    r.jobNumber = slot + 1;
    r.filePath = m_state.selection.pcPath;
    if (JobTable::withoutLineEnd(m_table.JobSlotNames.value(slot)) == JobTable::emptyName()) {
        NewNameDialog names(m_state, this);
        if (names.exec() != QDialog::Accepted)
            return reject(); // the slot keeps "<empty>" and nothing is sent
        r.newJobName = names.name();
    }
    // Points already in the job are never added to or erased without a word.
    const int held = JobTable::leadingCount(m_table.FixPointCounts.value(slot));
    if (held > 0) {
        enum { Append, Replace, Cancel };
        const int choice = Messages::choose(
            this,
            tr("%1 already holds %2 points.\n\nAppend the file's points after them, or erase "
               "the %2 points on the instrument and then upload?")
                .arg(m_jobs->itemText(slot))
                .arg(held),
            {tr("Append"), tr("Erase, then upload"), tr("Cancel")}, Cancel);
        if (choice != Append && choice != Replace)
            return; // back in the dialog: another job may be chosen
        r.replaceExisting = choice == Replace;
    }
    const QString refused = m_confirm ? m_confirm(r) : QString();
    if (!refused.isEmpty()) {
        // The engine's reason is a whole sentence in English; a translation may lead in.
        Messages::show(this, tr("%1", "the upload was refused for this reason").arg(refused),
                       Messages::Kind::Warning);
        return;
    }
    m_request = r;
    accept();
}
