#include "EditorSettingsDialog.h"

#include "EditorTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

EditorSettingsDialog::EditorSettingsDialog(int uiLanguage, QWidget *parent)
    : QDialog(parent), m_unit(new QComboBox(this)), m_precision(new QComboBox(this))
{
    const EditorTexts texts = EditorTexts::forLanguage(uiLanguage);
    setObjectName(QStringLiteral("EditorSettingsDialog"));
    setWindowTitle(texts.settingsCaption);

    m_unit->setObjectName(QStringLiteral("unitList"));
    m_unit->addItem(texts.unitEntry);
    m_unit->setCurrentIndex(0);
    m_precision->setObjectName(QStringLiteral("precisionList"));
    m_precision->addItem(texts.precisionEntry);
    m_precision->setCurrentIndex(0);

    auto *ok = new QPushButton(texts.ok, this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(texts.cancel, this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(texts.unitLabel, this), 0, 0);
    layout->addWidget(m_unit, 0, 1);
    layout->addWidget(new QLabel(texts.precisionLabel, this), 1, 0);
    layout->addWidget(m_precision, 1, 1);
    layout->addWidget(ok, 0, 2);
    layout->addWidget(cancel, 1, 2);
}
