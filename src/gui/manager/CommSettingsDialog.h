// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

struct AppState;
class QComboBox;
class QPushButton;
class QGroupBox;
class QLabel;

// "Communication settings": shows the port found by the discovery
// and lets the user choose the speed, the end mark and the encoding of the
// instrument's job names. Values are written straight into CommSettings and
// remembered for the next run; they apply the next time the port opens.
class CommSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString caption, comSet, currentSelection, port, instrument, settings, baudrate, parity,
            stopbits, databits, endmark, defaults, ok, cancel;
        static Texts forLanguage(int uiLanguage);
    };

    explicit CommSettingsDialog(AppState &state, QWidget *parent = nullptr);

    QComboBox *portBox() const { return m_port; }
    QComboBox *instrumentBox() const { return m_instrument; }
    QComboBox *baudBox() const { return m_baud; }
    QComboBox *parityBox() const { return m_parity; }
    QComboBox *stopBitsBox() const { return m_stopBits; }
    QComboBox *dataBitsBox() const { return m_dataBits; }
    QComboBox *endMarkBox() const { return m_endMark; }
    // Entries in NameEncoding::Choice order.
    QComboBox *nameEncodingBox() const { return m_nameEncoding; }
    QPushButton *defaultButton() const { return m_default; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Index of the chosen entry, -1 when the edit field holds a text that is
    // no entry of the list.
    static int chosenIndex(const QComboBox *box);

private:
    void fillLists();
    void restoreDefaults();
    void store();

    AppState &m_state;
    QComboBox *m_port, *m_instrument, *m_baud, *m_parity, *m_stopBits, *m_dataBits, *m_endMark;
    QComboBox *m_nameEncoding;
    QPushButton *m_default, *m_ok, *m_cancel;
};
