// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;

// The editor's Settings dialog. It offers the unit and the precision every
// format already works in; nothing chosen here is stored or applied.
class EditorSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit EditorSettingsDialog(QWidget *parent = nullptr);

    QComboBox *unitList() const { return m_unit; }
    QComboBox *precisionList() const { return m_precision; }

private:
    QComboBox *m_unit = nullptr;
    QComboBox *m_precision = nullptr;
};
