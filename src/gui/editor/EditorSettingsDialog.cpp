// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/EditorSettingsDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

EditorSettingsDialog::EditorSettingsDialog(QWidget *parent)
    : QDialog(parent), m_unit(new QComboBox(this)), m_precision(new QComboBox(this))
{
    setObjectName(QStringLiteral("EditorSettingsDialog"));
    setWindowTitle(tr("Settings"));

    // One choice each, and nothing to change: shown, but not offered.
    const QString fixed = tr("Every format is read and written in metres with three decimals.");
    m_unit->setObjectName(QStringLiteral("unitList"));
    m_unit->addItem(tr("M"));
    m_unit->setCurrentIndex(0);
    m_unit->setEnabled(false);
    m_unit->setToolTip(fixed);
    m_precision->setObjectName(QStringLiteral("precisionList"));
    m_precision->addItem(QStringLiteral("0.001"));
    m_precision->setCurrentIndex(0);
    m_precision->setEnabled(false);
    m_precision->setToolTip(fixed);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("CANCEL"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Unit:"), this), 0, 0);
    layout->addWidget(m_unit, 0, 1);
    layout->addWidget(new QLabel(tr("Precision:"), this), 1, 0);
    layout->addWidget(m_precision, 1, 1);
    layout->addWidget(ok, 0, 2);
    layout->addWidget(cancel, 1, 2);
    // Greyed lists alone look broken; the reason is said where it is seen.
    auto *note = new QLabel(fixed, this);
    note->setObjectName(QStringLiteral("fixedNote"));
    note->setWordWrap(true);
    layout->addWidget(note, 2, 0, 1, 3);
}
