// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The GSI to DXF converter: the user picks a GSI file, presses OK, names the
// DXF file, and is told how many points were converted; the window then closes.
// The conversion itself is the core's; this window only chooses the files.
class GsiToDxfDialog : public QDialog
{
    Q_OBJECT

public:
    explicit GsiToDxfDialog(QWidget *parent = nullptr);

    QString gsiPath() const { return m_gsiPath; }
    QString dxfPath() const { return m_dxfPath; }
    // The labels' height, from the font height box at the last run.
    double fontHeight() const { return m_fontHeight; }
    QLineEdit *pathBox() const { return m_pathBox; }
    QLineEdit *fontHeightBox() const { return m_fontHeightBox; }
    QPushButton *browseButton() const { return m_browseButton; }
    QPushButton *okButton() const { return m_okButton; }
    // Points, names and elevations on three layers, labels beside the points.
    QCheckBox *layersBox() const { return m_layersBox; }

    // Browse: the open dialog; a confirmed choice becomes the GSI file.
    bool browse();
    // Browse without its dialog: path is the user's choice.
    void setGsiPath(const QString &path);
    // OK: the save dialog, then the run; refused while no GSI file is chosen.
    void runConversion();
    // The run for a DXF file already chosen; false when nothing was written.
    bool convertTo(const QString &dxfPath);
    // The name the save dialog offers: the GSI file's, with .dxf, beside it.
    QString defaultDxfPath() const;

private:
    // False while the font height box holds no height from 0.001 to 1000.
    bool readFontHeight();
    void showMessage(int icon, const QString &caption, const QString &text);
    static void lookReadOnly(QLineEdit *box);

    QLineEdit *m_pathBox = nullptr;
    QLineEdit *m_fontHeightBox = nullptr;
    QPushButton *m_browseButton = nullptr;
    QPushButton *m_okButton = nullptr;
    QCheckBox *m_layersBox = nullptr;
    QString m_gsiPath;
    QString m_dxfPath;
    double m_fontHeight = 1.0;
};
