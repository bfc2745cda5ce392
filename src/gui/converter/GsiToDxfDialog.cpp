#include "GsiToDxfDialog.h"

#include "dxf/GsiToDxf.h"
#include "editor/FileDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

GsiToDxfDialog::GsiToDxfDialog(int uiLanguage, QWidget *parent)
    : QDialog(parent), m_texts(ConverterTexts::forLanguage(uiLanguage)),
      m_pathBox(new QLineEdit(this)), m_fontHeightBox(new QLineEdit(this)),
      m_browseButton(new QPushButton(m_texts.browse, this)),
      m_okButton(new QPushButton(m_texts.ok, this))
{
    setObjectName(QStringLiteral("GsiToDxfDialog"));
    setWindowTitle(m_texts.caption);

    // The box shows the browsed file; it is read-only because the run always
    // converts the browsed file, whatever might be typed there.
    m_pathBox->setObjectName(QStringLiteral("gsiPathBox"));
    m_pathBox->setReadOnly(true);
    m_pathBox->setMinimumWidth(300);
    m_pathBox->setText(m_gsiPath);

    // Labels are always written one unit high; the box only shows that.
    m_fontHeightBox->setObjectName(QStringLiteral("fontHeightBox"));
    m_fontHeightBox->setReadOnly(true);
    m_fontHeightBox->setText(QString::number(m_fontHeight));
    m_fontHeightBox->setMaximumWidth(110);

    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    m_browseButton->setAutoDefault(false);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    auto *cancelButton = new QPushButton(m_texts.cancel, this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setAutoDefault(false);

    connect(m_browseButton, &QPushButton::clicked, this, &GsiToDxfDialog::browse);
    connect(m_okButton, &QPushButton::clicked, this, &GsiToDxfDialog::runConversion);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(m_texts.openLabel, this), 0, 0, 1, 3);
    auto *pathRow = new QHBoxLayout;
    pathRow->setSpacing(0);
    pathRow->addWidget(m_pathBox, 1);
    pathRow->addWidget(m_browseButton);
    m_browseButton->setFixedWidth(40);
    layout->addLayout(pathRow, 1, 0, 1, 3);
    layout->addWidget(new QLabel(m_texts.fontHeightLabel, this), 2, 0);
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
    const FileChoice choice = FileDialogs::openFile(this, ConverterTexts::gsiFileTypes(),
                                                    QStringLiteral("gsiOpenDialog"));
    if (!choice.accepted)
        return false;
    setGsiPath(choice.path);
    return true;
}

void GsiToDxfDialog::setGsiPath(const QString &path)
{
    m_gsiPath = path;
    m_pathBox->setText(QDir::toNativeSeparators(path));
}

void GsiToDxfDialog::runConversion()
{
    // An existing drawing is replaced without a question, as always.
    const FileChoice choice =
        FileDialogs::saveFile(this, ConverterTexts::dxfFileTypes(), QStringLiteral("dxf"),
                              QStringLiteral("dxfSaveDialog"), false);
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
        showMessage(QMessageBox::Warning, m_texts.caption, m_texts.sameFile.arg(name));
        return false;
    }
    m_dxfPath = dxfPath;
    const GsiToDxfResult result =
        GsiToDxf::convert(m_gsiPath, dxfPath, GsiToDxf::MissingInput::EmptyDrawing,
                          m_layersBox->isChecked() ? GsiToDxf::Layout::Layered
                                                   : GsiToDxf::Layout::Classic);
    if (!result.ok) {
        showMessage(QMessageBox::Critical, m_texts.caption,
                    m_texts.writeFailed.arg(name, result.error));
        return false;
    }
    showMessage(QMessageBox::Information, QGuiApplication::applicationDisplayName(),
                GsiToDxf::doneMessage(result.points));
    return true;
}

void GsiToDxfDialog::showMessage(int icon, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Icon(icon), caption, text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("converterMessage"));
    box.exec();
}
