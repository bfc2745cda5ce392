// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/converter/GsiToDxfDialog.h"

#include "core/dxf/GsiToDxf.h"
#include "gui/common/ToolNames.h"
#include "gui/editor/FileDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleValidator>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString caption()
{
    return ToolNames::converter();
}

constexpr double kMinFontHeight = 0.001;
constexpr double kMaxFontHeight = 1000.0;

} // namespace

GsiToDxfDialog::GsiToDxfDialog(QWidget *parent)
    : QDialog(parent), m_pathBox(new QLineEdit(this)), m_fontHeightBox(new QLineEdit(this)),
      m_browseButton(new QPushButton(QStringLiteral("..."), this)),
      m_okButton(new QPushButton(tr("OK"), this))
{
    setObjectName(QStringLiteral("GsiToDxfDialog"));
    setWindowTitle(caption());

    // The box shows the browsed file; it is read-only because the run always
    // converts the browsed file, whatever might be typed there.
    m_pathBox->setObjectName(QStringLiteral("gsiPathBox"));
    m_pathBox->setReadOnly(true);
    m_pathBox->setMinimumWidth(300);
    m_pathBox->setText(m_gsiPath);
    lookReadOnly(m_pathBox);

    // The labels' height in drawing units, which are the coordinates' metres.
    m_fontHeightBox->setObjectName(QStringLiteral("fontHeightBox"));
    m_fontHeightBox->setText(QString::number(m_fontHeight));
    m_fontHeightBox->setMaximumWidth(110);
    auto *heights = new QDoubleValidator(kMinFontHeight, kMaxFontHeight, 3, m_fontHeightBox);
    heights->setNotation(QDoubleValidator::StandardNotation);
    heights->setLocale(QLocale::c());
    m_fontHeightBox->setValidator(heights);
    m_fontHeightBox->setToolTip(
        tr("Height of the point labels in the drawing, in metres (0.001 to 1000)"));

    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    m_browseButton->setAutoDefault(false);
    m_browseButton->setToolTip(tr("Choose the GSI file to convert"));
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    // Without an input there is nothing to convert: an empty drawing
    // reported as done would only mislead.
    m_okButton->setEnabled(false);
    m_okButton->setToolTip(tr("Choose a GSI file first"));
    auto *cancelButton = new QPushButton(tr("CANCEL"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setAutoDefault(false);

    connect(m_browseButton, &QPushButton::clicked, this, &GsiToDxfDialog::browse);
    connect(m_okButton, &QPushButton::clicked, this, &GsiToDxfDialog::runConversion);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Open GSI file"), this), 0, 0, 1, 3);
    auto *pathRow = new QHBoxLayout;
    pathRow->setSpacing(0);
    pathRow->addWidget(m_pathBox, 1);
    pathRow->addWidget(m_browseButton);
    m_browseButton->setFixedWidth(40);
    layout->addLayout(pathRow, 1, 0, 1, 3);
    layout->addWidget(new QLabel(tr("Font height setting:"), this), 2, 0);
    layout->addWidget(m_fontHeightBox, 2, 1, Qt::AlignLeft);
    m_layersBox = new QCheckBox(tr("Points, names and elevations on separate layers"), this);
    m_layersBox->setObjectName(QStringLiteral("layersBox"));
    layout->addWidget(m_layersBox, 3, 0, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addSpacing(40);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons, 4, 0, 1, 3);
    layout->setVerticalSpacing(12);
}

bool GsiToDxfDialog::browse()
{
    const FileChoice choice =
        FileDialogs::openFile(this, QStringLiteral("GSI file(*.gsi *.GSI)|*.gsi||"),
                              QStringLiteral("gsiOpenDialog"), m_gsiPath);
    if (!choice.accepted)
        return false;
    setGsiPath(choice.path);
    return true;
}

void GsiToDxfDialog::setGsiPath(const QString &path)
{
    m_gsiPath = path;
    m_pathBox->setText(QDir::toNativeSeparators(path));
    m_okButton->setEnabled(!path.isEmpty());
    m_okButton->setToolTip(path.isEmpty() ? tr("Choose a GSI file first") : QString());
}

void GsiToDxfDialog::lookReadOnly(QLineEdit *box)
{
    // A read-only box drawn like an editable one invites typing that is
    // never used; the window's colour says it only shows.
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
}

void GsiToDxfDialog::runConversion()
{
    if (m_gsiPath.isEmpty()) {
        showMessage(QMessageBox::Warning, caption(), tr("Choose the GSI file to convert first."));
        return;
    }
    if (!readFontHeight()) {
        showMessage(QMessageBox::Warning, caption(),
                    tr("The font height must be a number from 0.001 to 1000, such as 0.5 or 2."));
        m_fontHeightBox->setFocus(Qt::OtherFocusReason);
        m_fontHeightBox->selectAll();
        return;
    }
    // An existing drawing is replaced without a question, as always.
    const FileChoice choice = FileDialogs::saveFile(
        this, tr("DXF file") + QStringLiteral("(*.dxf)|*.dxf||"), QStringLiteral("dxf"),
        QStringLiteral("dxfSaveDialog"), false, defaultDxfPath());
    if (!choice.accepted) {
        accept();
        return;
    }
    if (convertTo(choice.path))
        accept();
}

bool GsiToDxfDialog::convertTo(const QString &dxfPath)
{
    const QString name = QDir::toNativeSeparators(dxfPath);
    // Writing the drawing over its own input would destroy the points.
    if (GsiToDxf::isSameFile(m_gsiPath, dxfPath)) {
        showMessage(QMessageBox::Warning, caption(),
                    tr("The DXF file cannot be the GSI file itself: %1").arg(name));
        return false;
    }
    if (!readFontHeight()) {
        showMessage(QMessageBox::Warning, caption(),
                    tr("The font height must be a number from 0.001 to 1000, such as 0.5 or 2."));
        return false;
    }
    m_dxfPath = dxfPath;
    // A GSI file that is gone or unreadable gives no drawing at all.
    const GsiToDxfResult result = GsiToDxf::convert(
        m_gsiPath, dxfPath, GsiToDxf::MissingInput::Refuse,
        m_layersBox->isChecked() ? GsiToDxf::Layout::Layered : GsiToDxf::Layout::Classic,
        m_fontHeight);
    if (!result.ok) {
        const bool inputMissing = !result.read.opened;
        showMessage(
            QMessageBox::Critical, caption(),
            inputMissing
                ? tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(m_gsiPath), result.error)
                : tr("Cannot write %1: %2").arg(name, result.error));
        return false;
    }
    // The converter's own report, the same in both languages.
    showMessage(QMessageBox::Information, caption(), GsiToDxf::doneMessage(result.points));
    return true;
}

QString GsiToDxfDialog::defaultDxfPath() const
{
    // Beside the GSI file, named after it: control.gsi gives control.dxf.
    const QFileInfo input(m_gsiPath);
    return input.dir().filePath(input.completeBaseName() + QStringLiteral(".dxf"));
}

bool GsiToDxfDialog::readFontHeight()
{
    // The C locale's point, whatever the desktop's language: "0.5", not "0,5".
    bool ok = false;
    const double height = QLocale::c().toDouble(m_fontHeightBox->text().trimmed(), &ok);
    if (!ok || height < kMinFontHeight || height > kMaxFontHeight)
        return false;
    m_fontHeight = height;
    return true;
}

void GsiToDxfDialog::showMessage(int icon, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Icon(icon), caption, text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("converterMessage"));
    box.exec();
}
