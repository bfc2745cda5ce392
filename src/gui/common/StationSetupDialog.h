// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/CoordFileIo.h"
#include "core/survey/ObservationReducer.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Asks how the observations of a GSI file are to be reduced: the set-up of
// the station in force at the first observation (prefilled from its station
// line), the orientation (Hz as read, an angle in the file's Hz unit, or
// backsights from a known-points file) and the curvature correction. Later
// stations are reduced as their lines say; the dialog lists them. OK stays
// disabled, with the reason shown, while a number is wrong or a station
// would have no coordinates.
class StationSetupDialog : public QDialog
{
    Q_OBJECT

public:
    // scan: ObservationReducer::scanStations() of the file.
    explicit StationSetupDialog(const ReductionResult &scan, QWidget *parent = nullptr);

    // Adds the choice of the coordinate file written beside observationPath.
    void offerOutput(const QString &observationPath);

    ReductionOptions options() const;
    // Why OK is disabled; empty when the set-up can be reduced.
    QString problem() const;
    QString outputPath() const;
    CoordFormat outputFormat() const;

    // Reads the known points (any coordinate file rqtcom reads); false with
    // the reason shown when the file cannot be read.
    bool setKnownFile(const QString &path);
    // The coordinate file formats offered for the output, in order.
    static QList<CoordFormat> outputFormats();

    QLineEdit *nameField() const { return m_name; }
    QLineEdit *eastingField() const { return m_easting; }
    QLineEdit *northingField() const { return m_northing; }
    QLineEdit *heightField() const { return m_height; }
    QLineEdit *instrumentHeightField() const { return m_instrumentHeight; }
    QRadioButton *hzAsReadButton() const { return m_asRead; }
    QRadioButton *angleButton() const { return m_byAngle; }
    QRadioButton *backsightButton() const { return m_byBacksight; }
    QLineEdit *angleField() const { return m_angle; }
    QLineEdit *backsightField() const { return m_backsights; }
    QLineEdit *knownField() const { return m_knownPath; }
    QCheckBox *curvatureBox() const { return m_curvature; }
    QDoubleSpinBox *refractionBox() const { return m_refraction; }
    QComboBox *formatBox() const { return m_format; }
    QLabel *problemLabel() const { return m_problem; }
    QPushButton *okButton() const;

private:
    void chooseKnownFile();
    void updateState();
    void updateOutputName();
    QString laterStationProblem() const;
    QString unitText() const;

    ReductionResult m_scan;
    qsizetype m_first = -1; // the station in force at the first observation
    AngleUnit m_unit = AngleUnit::Gon;
    KnownPoints m_known;
    QString m_observationPath;
    QLineEdit *m_name, *m_easting, *m_northing, *m_height, *m_instrumentHeight;
    QRadioButton *m_asRead, *m_byAngle, *m_byBacksight;
    QLineEdit *m_angle, *m_backsights, *m_knownPath;
    QPushButton *m_browse;
    QCheckBox *m_curvature;
    QDoubleSpinBox *m_refraction;
    QLabel *m_laterStations, *m_outputLabel = nullptr, *m_outputName = nullptr, *m_problem;
    QComboBox *m_format = nullptr;
    QDialogButtonBox *m_buttons;
};
