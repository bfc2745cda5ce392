// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/DownloadDialog.h"

#include "core/protocol/ConversationEngine.h"
#include "core/state/AppState.h"
#include "gui/common/DialogUnits.h"
#include "gui/common/Messages.h"
#include "gui/manager/CommSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

DownloadDialog::DownloadDialog(AppState &state, Confirm confirm, QWidget *parent)
    : QDialog(parent), m_state(state), m_confirm(std::move(confirm))
{
    const DialogUnits du(font());
    setWindowTitle(tr("File Down..."));

    auto *frame = new QGroupBox(this);
    m_from = new QLineEdit(frame);
    m_to = new QLineEdit(frame);
    for (QLineEdit *e : {m_from, m_to}) {
        e->setReadOnly(true);
        e->setMinimumWidth(du.x(120));
    }
    m_fileName = new QLineEdit(frame);
    m_fileName->setMinimumWidth(du.x(73));
    m_dataType = new QComboBox(frame);
    m_dataType->setEditable(true);
    m_dataType->setInsertPolicy(QComboBox::NoInsert);
    m_dataType->setMinimumWidth(du.x(69));
    m_northingFirst = new QCheckBox(tr("CASS: northing before easting (earlier order)"), frame);
    m_northingFirst->setToolTip(
        tr("CASS lines are name,code,easting,northing,height, as rqtcom and other programs "
           "read them. Tick this only for a program that expects the northing first, as "
           "earlier versions wrote it."));
    m_alsoCoordinates = new QCheckBox(tr("Also save coordinates"), frame);
    m_alsoCoordinates->setObjectName(QStringLiteral("alsoSaveCoordinates"));
    m_alsoCoordinates->setToolTip(tr("After the download, asks for the station set-up and "
                                     "saves the points the observations give beside the file."));
    m_ok = new QPushButton(tr("OK"), this);
    m_cancel = new QPushButton(tr("CANCEL"), this);
    m_ok->setDefault(true);

    auto *grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(tr("From:"), frame), 0, 0);
    grid->addWidget(m_from, 0, 1, 1, 2);
    grid->addWidget(new QLabel(tr("To:"), frame), 1, 0);
    grid->addWidget(m_to, 1, 1, 1, 2);
    grid->setRowMinimumHeight(2, du.y(6));
    grid->addWidget(new QLabel(tr("File Name:"), frame), 3, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Data Type:"), frame), 3, 2);
    grid->addWidget(m_fileName, 4, 0, 1, 2);
    grid->addWidget(m_dataType, 4, 2);
    grid->addWidget(m_northingFirst, 5, 0, 1, 3);
    grid->addWidget(m_alsoCoordinates, 6, 0, 1, 3);
    grid->setColumnMinimumWidth(0, du.x(50));
    grid->setHorizontalSpacing(du.x(12));

    // The platform's order of OK and CANCEL, centred under the frame as always.
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    buttons->setCenterButtons(true);
    auto *column = new QVBoxLayout(this);
    column->addWidget(frame);
    column->addWidget(buttons);

    ManagerSelection &ts = m_state.selection;
    // Each entry names the extension its file gets.
    m_dataType->insertItems(0, {QStringLiteral("GSI(*.gsi)"), QStringLiteral("IDEX(*.idex)"),
                                QStringLiteral("CASS(*.dat)")});
    m_dataType->setCurrentIndex(0);
    m_northingFirst->setChecked(
        QSettings().value(QStringLiteral("manager/cassNorthingFirst"), false).toBool());
    const auto showCassOption = [this] {
        m_northingFirst->setEnabled(CommSettingsDialog::chosenIndex(m_dataType) ==
                                    int(DownloadFormat::Cass));
    };
    showCassOption();
    connect(m_dataType, &QComboBox::currentIndexChanged, this, showCassOption);
    m_alsoCoordinates->setVisible(ts.dataKind == DataKind::Observations);
    m_alsoCoordinates->setChecked(
        QSettings().value(QStringLiteral("manager/alsoSaveCoordinates"), false).toBool());
    m_folder = destinationFolder(ts.pcPath);
    m_from->setText(ts.portLabel);
    m_to->setText(QDir::toNativeSeparators(m_folder));
    m_fileName->setText(ts.jobName);
    ts.downloadFormat = DownloadFormat::Gsi;
    // The name is what the user comes here to decide.
    m_fileName->setFocus();
    m_fileName->selectAll();

    connect(buttons, &QDialogButtonBox::accepted, this, &DownloadDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString DownloadDialog::destinationFolder(const QString &pcPath)
{
    if (pcPath.isEmpty() || pcPath == QLatin1String("My Computer"))
        return QString();
    const QFileInfo info(pcPath);
    if (info.isDir())
        return pcPath.endsWith(QLatin1Char('/')) ? pcPath : pcPath + QLatin1Char('/');
    const QString folder = info.absolutePath();
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString DownloadDialog::fileNameError(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return tr("Please enter a file name.");
    if (trimmed.contains(QLatin1Char('/')) || trimmed.contains(QLatin1Char('\\')) ||
        trimmed == QLatin1String(".") || trimmed == QLatin1String(".."))
        return tr("The file name must not name another folder: %1").arg(name);
    return QString();
}

bool DownloadDialog::alsoSaveCoordinates() const
{
    return m_state.selection.dataKind == DataKind::Observations && m_alsoCoordinates->isChecked();
}

DownloadRequest DownloadDialog::request() const
{
    DownloadRequest r;
    r.jobNumber = m_state.selection.jobNumber;
    r.dataKind = m_state.selection.dataKind;
    // A typed text that names no type reads as GSI here; confirm() refuses it.
    r.format = TransferKinds::downloadFormatAt(CommSettingsDialog::chosenIndex(m_dataType))
                   .value_or(DownloadFormat::Gsi);
    r.folder = m_folder;
    r.fileName = m_fileName->text();
    r.cassNorthingFirst = r.format == DownloadFormat::Cass && m_northingFirst->isChecked();
    return r;
}

void DownloadDialog::confirm()
{
    DownloadRequest r = request();
    if (m_folder.isEmpty()) {
        Messages::show(this, tr("Please choose a folder on the PC side first."),
                       Messages::Kind::Warning);
        return;
    }
    const QString nameError = fileNameError(r.fileName);
    if (!nameError.isEmpty()) {
        Messages::show(this, nameError, Messages::Kind::Warning);
        return;
    }
    if (!TransferKinds::downloadFormatAt(CommSettingsDialog::chosenIndex(m_dataType))) {
        // A typed text names no type; guessing one could write the wrong format.
        Messages::show(this, tr("Please choose a data type from the list."),
                       Messages::Kind::Warning);
        return;
    }
    const QString target = ConversationEngine::downloadFilePath(r);
    if (QFileInfo::exists(target)) {
        if (!Messages::ask(
                this, tr("%1 already exists. Replace it?").arg(QDir::toNativeSeparators(target))))
            return;
        r.overwrite = true;
    }
    ManagerSelection &ts = m_state.selection;
    ts.jobName = r.fileName;
    ts.downloadFormat = r.format;
    ts.pcPath = m_folder;
    if (r.dataKind == DataKind::Observations)
        QSettings().setValue(QStringLiteral("manager/alsoSaveCoordinates"),
                             m_alsoCoordinates->isChecked());
    if (r.format == DownloadFormat::Cass)
        QSettings().setValue(QStringLiteral("manager/cassNorthingFirst"), r.cassNorthingFirst);
    const QString refused = m_confirm ? m_confirm(r) : QString();
    if (!refused.isEmpty()) {
        // The engine's reason is a whole sentence in English; a translation may lead in.
        Messages::show(this, tr("%1", "the download was refused for this reason").arg(refused),
                       Messages::Kind::Warning);
        return;
    }
    accept();
}
