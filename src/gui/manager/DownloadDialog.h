// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/TransferTypes.h"

#include <QDialog>

#include <functional>

struct AppState;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// The download dialog: where a download comes from and goes to, the file name and the
// data type. OK checks the name, asks before replacing a file, and hands the
// request to the confirm function (the engine); the dialog stays open when
// that refuses.
class DownloadDialog : public QDialog
{
    Q_OBJECT
public:
    // Returns why the download cannot start, or an empty text.
    using Confirm = std::function<QString(const DownloadRequest &request)>;

    DownloadDialog(AppState &state, Confirm confirm, QWidget *parent = nullptr);

    // The folder a download into path goes to: a file stands for its folder.
    static QString destinationFolder(const QString &pcPath);
    // Why a typed file name is refused (empty, or naming another folder).
    static QString fileNameError(const QString &name);

    DownloadRequest request() const;

    QLineEdit *fromField() const { return m_from; }
    QLineEdit *toField() const { return m_to; }
    QLineEdit *fileNameField() const { return m_fileName; }
    QComboBox *dataTypeBox() const { return m_dataType; }
    // CASS only: northing before easting, the order of earlier downloads.
    QCheckBox *northingFirstBox() const { return m_northingFirst; }
    // Observations only: reduce them and save the points beside the download.
    QCheckBox *alsoSaveCoordinatesBox() const { return m_alsoCoordinates; }
    bool alsoSaveCoordinates() const;
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    void confirm();

    AppState &m_state;
    Confirm m_confirm;
    QString m_folder;
    QLineEdit *m_from, *m_to, *m_fileName;
    QComboBox *m_dataType;
    QCheckBox *m_northingFirst;
    QCheckBox *m_alsoCoordinates;
    QPushButton *m_ok, *m_cancel;
};
