// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/CommSettingsDialog.h"

#include "core/state/AppState.h"
#include "gui/common/AppSettings.h"
#include "gui/common/DialogUnits.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox *listBox(QWidget *parent, int width)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(width);
    return box;
}

} // namespace

CommSettingsDialog::CommSettingsDialog(AppState &state, QWidget *parent)
    : QDialog(parent), m_state(state)
{
    const DialogUnits du(font());
    setWindowTitle(tr("Communication settings"));

    m_port = listBox(this, du.x(92));
    m_instrument = listBox(this, du.x(92));
    m_baud = listBox(this, du.x(61));
    m_parity = listBox(this, du.x(61));
    m_stopBits = listBox(this, du.x(61));
    m_dataBits = listBox(this, du.x(58));
    m_endMark = listBox(this, du.x(58));
    m_nameEncoding = new QComboBox(this);
    m_nameEncoding->setToolTip(
        tr("How the instrument encodes job names. A Chinese instrument sends GBK "
           "(simplified) or Big5 (traditional) whatever the language of this computer; "
           "Automatic uses the code page of the computer's locale."));
    m_default = new QPushButton(tr("Default"), this);
    m_ok = new QPushButton(tr("OK"), this);
    m_cancel = new QPushButton(tr("CANCEL"), this);
    for (QPushButton *b : {m_default, m_ok, m_cancel})
        b->setAutoDefault(false);
    // Enter confirms like OK; otherwise it would close the dialog and drop the choice.
    m_ok->setDefault(true);

    auto *current = new QGroupBox(tr("Current Selection"), this);
    auto *currentGrid = new QGridLayout(current);
    currentGrid->addWidget(new QLabel(tr("Port:"), current), 0, 0);
    currentGrid->addWidget(m_port, 0, 1);
    currentGrid->addWidget(new QLabel(tr("Instrument:"), current), 1, 0);
    currentGrid->addWidget(m_instrument, 1, 1);
    currentGrid->setColumnMinimumWidth(0, du.x(40));

    auto *settings = new QGroupBox(tr("Settings"), this);
    auto *grid = new QGridLayout(settings);
    grid->addWidget(new QLabel(tr("Baudrate:"), settings), 0, 0);
    grid->addWidget(m_baud, 0, 1);
    grid->addWidget(new QLabel(tr("Parity:"), settings), 1, 0);
    grid->addWidget(m_parity, 1, 1);
    grid->addWidget(new QLabel(tr("Stopbits:"), settings), 2, 0);
    grid->addWidget(m_stopBits, 2, 1);
    grid->addWidget(new QLabel(tr("Databits:"), settings), 0, 3);
    grid->addWidget(m_dataBits, 0, 4);
    grid->addWidget(new QLabel(tr("Endmark:"), settings), 1, 3);
    grid->addWidget(m_endMark, 1, 4);
    grid->addWidget(m_default, 2, 4);
    grid->addWidget(new QLabel(tr("Name encoding:"), settings), 3, 0);
    grid->addWidget(m_nameEncoding, 3, 1);
    grid->setColumnMinimumWidth(2, du.x(5));

    auto *comSet = new QGroupBox(tr("COM SET"), this);
    auto *comLayout = new QVBoxLayout(comSet);
    auto *currentRow = new QHBoxLayout;
    currentRow->addWidget(current, 3);
    currentRow->addStretch(1);
    comLayout->addLayout(currentRow);
    comLayout->addWidget(settings);

    // The platform's order of OK and CANCEL, at the right as always.
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(comSet);
    outer->addWidget(buttons);

    fillLists();
    connect(m_default, &QPushButton::clicked, this, &CommSettingsDialog::restoreDefaults);
    connect(buttons, &QDialogButtonBox::accepted, this, &CommSettingsDialog::store);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CommSettingsDialog::fillLists()
{
    CommSettings &cs = m_state.commSettings;
    m_port->clear();
    m_port->insertItem(0, QStringLiteral("COM1"));
    if (cs.PortNumber >= 2 && cs.PortNumber <= 16)
        m_port->insertItem(1, QStringLiteral("COM%1").arg(cs.PortNumber));
    if (cs.PortNumber < 1 || cs.PortNumber > 16)
        cs.PortNumber = 1;
    m_port->setCurrentIndex(cs.PortNumber >= 2 ? 1 : 0);

    m_instrument->clear();
    m_instrument->addItem(QStringLiteral("RQT-318"));
    m_instrument->setCurrentIndex(0);

    m_baud->clear();
    m_baud->insertItems(0, CommSettings::baudRateTexts());
    if (!CommSettings::isListedBaudRate(cs.BaudRate))
        cs.BaudRate = CommSettings::kBaudRates[0];
    m_baud->setCurrentIndex(CommSettings::baudIndex(cs.BaudRate));

    m_parity->clear();
    m_parity->addItem(QStringLiteral("无")); // the instrument's label, in both languages
    m_parity->setCurrentIndex(0);
    m_stopBits->clear();
    m_stopBits->addItem(QStringLiteral("1"));
    m_stopBits->setCurrentIndex(0);
    m_dataBits->clear();
    m_dataBits->addItem(QStringLiteral("8"));
    m_dataBits->setCurrentIndex(0);

    m_endMark->clear();
    // In the order of EndMark.
    m_endMark->insertItems(0, {QStringLiteral("CRLF"), QStringLiteral("CR")});
    if (cs.CommandEnd != EndMark::Cr)
        cs.CommandEnd = EndMark::CrLf; // a value cast from a bad number
    m_endMark->setCurrentIndex(int(cs.CommandEnd));

    // The encodings' own names are the same in every language.
    m_nameEncoding->clear();
    m_nameEncoding->addItems({tr("Automatic"), QStringLiteral("GBK"), QStringLiteral("Big5"),
                              QStringLiteral("Windows-1252"), QStringLiteral("UTF-8")});
    m_nameEncoding->setCurrentIndex(int(cs.JobNameEncoding));
}

int CommSettingsDialog::chosenIndex(const QComboBox *box)
{
    const int index = box->currentIndex();
    if (index >= 0 && box->currentText() == box->itemText(index))
        return index;
    // A typed text counts only when it is exactly one of the entries.
    return box->findText(box->currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
}

void CommSettingsDialog::restoreDefaults()
{
    CommSettings &cs = m_state.commSettings;
    cs.BaudRate = CommSettings::kBaudRates[0];
    cs.CommandEnd = EndMark::CrLf;
    cs.JobNameEncoding = NameEncoding::Automatic;
    for (QComboBox *box : {m_baud, m_parity, m_stopBits, m_dataBits, m_endMark}) {
        box->setCurrentIndex(0);
        box->setEditText(box->itemText(0));
    }
    m_nameEncoding->setCurrentIndex(0);
    AppSettings::saveComm(cs);
}

void CommSettingsDialog::store()
{
    CommSettings &cs = m_state.commSettings;
    const int baud = chosenIndex(m_baud);
    cs.BaudRate = baud >= 0 ? CommSettings::kBaudRates[size_t(baud)] : CommSettings::kKeepLineSpeed;
    cs.CommandEnd = chosenIndex(m_endMark) == 1 ? EndMark::Cr : EndMark::CrLf;
    cs.JobNameEncoding =
        NameEncoding::fromIndex(m_nameEncoding->currentIndex()).value_or(NameEncoding::Automatic);
    AppSettings::saveComm(cs);
    accept();
}
