// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/StationSetupDialog.h"

#include "gui/common/DialogUnits.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/FileDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString kFormatKey = QStringLiteral("observations/coordinateFormat");

// Empty is no value; anything else must be a number (C locale, as files are).
bool readNumber(const QLineEdit *field, std::optional<double> *value)
{
    const QString text = field->text().trimmed();
    value->reset();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

QString metres(double value)
{
    return QString::number(value, 'f', 3);
}

QString extensionFor(CoordFormat format)
{
    switch (format) {
    case CoordFormat::Gsi16:
    case CoordFormat::Gsi8:
        return QStringLiteral("gsi");
    case CoordFormat::Orb:
        return QStringLiteral("orb");
    case CoordFormat::South:
        return QStringLiteral("dat");
    case CoordFormat::Topcon:
        return QStringLiteral("pts");
    case CoordFormat::Idx:
        return QStringLiteral("idx");
    case CoordFormat::Csv:
        return QStringLiteral("csv");
    case CoordFormat::LandXml:
        return QStringLiteral("xml");
    default:
        break;
    }
    return QString();
}

QStringList backsightNames(const QString &text)
{
    QStringList names;
    for (const QString &name : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!name.trimmed().isEmpty())
            names << name.trimmed();
    }
    return names;
}

} // namespace

StationSetupDialog::StationSetupDialog(const ReductionResult &scan, QWidget *parent)
    : QDialog(parent), m_scan(scan)
{
    setObjectName(QStringLiteral("stationSetupDialog"));
    setWindowTitle(tr("Station set-up"));
    const DialogUnits du(font());
    if (scan.hzUnit != AngleUnit::Unknown)
        m_unit = scan.hzUnit;
    for (qsizetype i = 0; i < scan.stations.size() && m_first < 0; ++i) {
        if (scan.stations.at(i).observations > 0)
            m_first = i;
    }

    auto *stationBox = new QGroupBox(tr("Station"), this);
    m_name = new QLineEdit(stationBox);
    m_easting = new QLineEdit(stationBox);
    m_northing = new QLineEdit(stationBox);
    m_height = new QLineEdit(stationBox);
    m_instrumentHeight = new QLineEdit(stationBox);
    for (QLineEdit *e : {m_name, m_easting, m_northing, m_height, m_instrumentHeight})
        e->setMinimumWidth(du.x(90));
    m_instrumentHeight->setPlaceholderText(QStringLiteral("0.000"));
    auto *stationForm = new QFormLayout(stationBox);
    stationForm->addRow(tr("Name:"), m_name);
    stationForm->addRow(tr("Easting E (m):"), m_easting);
    stationForm->addRow(tr("Northing N (m):"), m_northing);
    stationForm->addRow(tr("Height H (m):"), m_height);
    stationForm->addRow(tr("Instrument height (m):"), m_instrumentHeight);
    m_laterStations = new QLabel(stationBox);
    m_laterStations->setWordWrap(true);
    stationForm->addRow(m_laterStations);

    auto *orientBox = new QGroupBox(tr("Orientation"), this);
    m_asRead =
        new QRadioButton(tr("Hz as read: the circle was oriented on the instrument"), orientBox);
    m_byAngle = new QRadioButton(tr("Orientation angle:"), orientBox);
    m_byBacksight = new QRadioButton(tr("Backsights:"), orientBox);
    auto *group = new QButtonGroup(this);
    for (QRadioButton *b : {m_asRead, m_byAngle, m_byBacksight})
        group->addButton(b);
    m_asRead->setChecked(true);
    m_angle = new QLineEdit(orientBox);
    m_angle->setToolTip(tr("Added to every Hz reading to give the azimuth."));
    m_backsights = new QLineEdit(orientBox);
    m_backsights->setPlaceholderText(tr("point names, separated by commas"));
    m_knownPath = new QLineEdit(orientBox);
    m_knownPath->setReadOnly(true);
    m_knownPath->setMinimumWidth(du.x(120));
    m_browse = new QPushButton(tr("Browse..."), orientBox);
    auto *orientGrid = new QGridLayout(orientBox);
    orientGrid->addWidget(m_asRead, 0, 0, 1, 3);
    orientGrid->addWidget(m_byAngle, 1, 0);
    orientGrid->addWidget(m_angle, 1, 1);
    orientGrid->addWidget(new QLabel(unitText(), orientBox), 1, 2);
    orientGrid->addWidget(m_byBacksight, 2, 0);
    orientGrid->addWidget(m_backsights, 2, 1, 1, 2);
    orientGrid->addWidget(new QLabel(tr("Known points:"), orientBox), 3, 0);
    orientGrid->addWidget(m_knownPath, 3, 1);
    orientGrid->addWidget(m_browse, 3, 2);
    auto *knownNote = new QLabel(
        tr("The coordinates of the backsights, and of stations given by name only."), orientBox);
    knownNote->setWordWrap(true);
    orientGrid->addWidget(knownNote, 4, 1, 1, 2);
    orientGrid->setColumnStretch(1, 1);

    m_curvature = new QCheckBox(tr("Correct heights for earth curvature and refraction"), this);
    m_refraction = new QDoubleSpinBox(this);
    m_refraction->setDecimals(2);
    m_refraction->setRange(0, 1);
    m_refraction->setSingleStep(0.01);
    m_refraction->setValue(0.13);
    auto *curvatureRow = new QHBoxLayout;
    curvatureRow->addWidget(m_curvature);
    curvatureRow->addStretch(1);
    curvatureRow->addWidget(new QLabel(tr("Coefficient k:"), this));
    curvatureRow->addWidget(m_refraction);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    QPalette warning = m_problem->palette();
    warning.setColor(QPalette::WindowText, QColor(0xB0, 0x10, 0x10));
    m_problem->setPalette(warning);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Ours, not Qt's: a Qt without its own translations would show them in English.
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));

    auto *column = new QVBoxLayout(this);
    column->addWidget(stationBox);
    column->addWidget(orientBox);
    column->addLayout(curvatureRow);
    column->addWidget(m_problem);
    column->addWidget(m_buttons);

    if (m_first >= 0) {
        const StationReport &s = scan.stations.at(m_first);
        m_name->setText(s.name);
        if (s.placed) {
            m_easting->setText(metres(s.easting));
            m_northing->setText(metres(s.northing));
        }
        if (s.elevation)
            m_height->setText(metres(*s.elevation));
        else
            m_height->setPlaceholderText(tr("none: points without heights"));
        if (s.instrumentHeightGiven)
            m_instrumentHeight->setText(metres(s.instrumentHeight));
    }
    QStringList later;
    for (qsizetype i = m_first + 1; m_first >= 0 && i < scan.stations.size(); ++i) {
        const StationReport &s = scan.stations.at(i);
        if (s.observations == 0)
            continue;
        const QString name = s.name.isEmpty() ? tr("line %1").arg(s.line) : s.name;
        later << (s.placed ? tr("%1 (E %2, N %3)").arg(name, metres(s.easting), metres(s.northing))
                           : tr("%1 (no coordinates on its line)").arg(name));
    }
    m_laterStations->setVisible(!later.isEmpty());
    m_laterStations->setText(tr("Later stations are set up as their lines say: %1")
                                 .arg(later.join(QStringLiteral(", "))));

    for (QLineEdit *e :
         {m_name, m_easting, m_northing, m_height, m_instrumentHeight, m_angle, m_backsights})
        connect(e, &QLineEdit::textChanged, this, &StationSetupDialog::updateState);
    for (QRadioButton *b : {m_asRead, m_byAngle, m_byBacksight})
        connect(b, &QRadioButton::toggled, this, &StationSetupDialog::updateState);
    connect(m_curvature, &QCheckBox::toggled, this, &StationSetupDialog::updateState);
    connect(m_browse, &QPushButton::clicked, this, &StationSetupDialog::chooseKnownFile);
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] {
        if (problem().isEmpty())
            accept();
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateState();
}

QString StationSetupDialog::unitText() const
{
    switch (m_unit) {
    case AngleUnit::Degrees:
        return tr("degrees");
    case AngleUnit::Dms:
        return tr("ddd.mmss (degrees, minutes, seconds)");
    case AngleUnit::Mil:
        return tr("mil (6400 to the circle)");
    case AngleUnit::Gon:
    case AngleUnit::Unknown:
        break;
    }
    return tr("gon");
}

QPushButton *StationSetupDialog::okButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

void StationSetupDialog::offerOutput(const QString &observationPath)
{
    m_observationPath = observationPath;
    m_format = new QComboBox(this);
    m_format->setObjectName(QStringLiteral("formatBox"));
    for (const CoordFormat f : outputFormats())
        m_format->addItem(
            QStringLiteral("%1 (*.%2)").arg(CoordFileIo::formatName(f), extensionFor(f)), int(f));
    const int remembered =
        m_format->findData(QSettings().value(kFormatKey, int(CoordFormat::South)).toInt());
    m_format->setCurrentIndex(qMax(0, remembered));
    m_outputName = new QLabel(this);
    m_outputName->setWordWrap(true);
    auto *row = new QFormLayout;
    row->addRow(tr("Save coordinates as:"), m_format);
    row->addRow(tr("File:"), m_outputName);
    auto *column = static_cast<QVBoxLayout *>(layout());
    column->insertLayout(column->count() - 2, row);
    connect(m_format, &QComboBox::currentIndexChanged, this, &StationSetupDialog::updateOutputName);
    connect(this, &QDialog::accepted, this,
            [this] { QSettings().setValue(kFormatKey, int(outputFormat())); });
    updateOutputName();
}

QList<CoordFormat> StationSetupDialog::outputFormats()
{
    // GeoJSON and KML need a coordinate system the download does not know.
    return {CoordFormat::South,  CoordFormat::Gsi16, CoordFormat::Gsi8, CoordFormat::Orb,
            CoordFormat::Topcon, CoordFormat::Idx,   CoordFormat::Csv,  CoordFormat::LandXml};
}

CoordFormat StationSetupDialog::outputFormat() const
{
    return m_format ? CoordFormat(m_format->currentData().toInt()) : CoordFormat::None;
}

QString StationSetupDialog::outputPath() const
{
    if (!m_format)
        return QString();
    // Beside the observations, under their name; a GSI output gets a suffix,
    // so the observation file itself is never the one written.
    const QFileInfo info(m_observationPath);
    const QString base = info.absolutePath() + QLatin1Char('/') + info.completeBaseName();
    const QString ext = QLatin1Char('.') + extensionFor(outputFormat());
    const QString path = base + ext;
    if (path.compare(info.absoluteFilePath(), Qt::CaseInsensitive) == 0)
        return base + QStringLiteral("_coord") + ext;
    return path;
}

void StationSetupDialog::updateOutputName()
{
    m_outputName->setText(QDir::toNativeSeparators(outputPath()));
}

bool StationSetupDialog::setKnownFile(const QString &path)
{
    KnownPoints known;
    QString error;
    if (!known.load(path, &error)) {
        m_problem->setText(tr("Cannot read the known points of %1: %2")
                               .arg(QDir::toNativeSeparators(path), error));
        okButton()->setEnabled(false);
        return false;
    }
    m_known = known;
    m_knownPath->setText(QDir::toNativeSeparators(path));
    updateState();
    return true;
}

void StationSetupDialog::chooseKnownFile()
{
    const FileChoice choice =
        FileDialogs::openFile(this, EditorWindow::openFileTypes(),
                              QStringLiteral("knownPointsDialog"), m_knownPath->text());
    if (choice.accepted)
        setKnownFile(choice.path);
}

void StationSetupDialog::updateState()
{
    m_angle->setEnabled(m_byAngle->isChecked());
    m_backsights->setEnabled(m_byBacksight->isChecked());
    m_refraction->setEnabled(m_curvature->isChecked());
    const QString why = problem();
    m_problem->setText(why);
    okButton()->setEnabled(why.isEmpty());
}

QString StationSetupDialog::laterStationProblem() const
{
    for (qsizetype i = m_first + 1; i < m_scan.stations.size(); ++i) {
        const StationReport &s = m_scan.stations.at(i);
        if (s.observations == 0 || s.placed || (!s.name.isEmpty() && m_known.find(s.name)))
            continue;
        const QString name = s.name.isEmpty() ? tr("on line %1").arg(s.line) : s.name;
        return tr("The station %1 has no coordinates on its line: choose a known-points file "
                  "that holds it.")
            .arg(name);
    }
    return QString();
}

QString StationSetupDialog::problem() const
{
    if (m_first < 0)
        return tr("The file holds no observations.");
    std::optional<double> value;
    const struct
    {
        const QLineEdit *field;
        QString label;
    } numbers[] = {{m_easting, tr("The easting")},
                   {m_northing, tr("The northing")},
                   {m_height, tr("The height")},
                   {m_instrumentHeight, tr("The instrument height")},
                   {m_byAngle->isChecked() ? m_angle : nullptr, tr("The orientation")}};
    for (const auto &n : numbers) {
        if (n.field && !readNumber(n.field, &value))
            return tr("%1 is no number: %2 (write it as 1234.567)").arg(n.label, n.field->text());
    }
    const bool hasEast = !m_easting->text().trimmed().isEmpty();
    const bool hasNorth = !m_northing->text().trimmed().isEmpty();
    if (hasEast != hasNorth)
        return tr("Enter both the easting and the northing of the station.");
    const QString name = m_name->text().trimmed();
    if (!hasEast && (name.isEmpty() || !m_known.find(name)))
        return tr("The station has no coordinates: enter its easting and northing, or its name "
                  "and a known-points file that holds it.");
    if (m_byAngle->isChecked() && m_angle->text().trimmed().isEmpty())
        return tr("Enter the orientation angle.");
    if (m_byBacksight->isChecked()) {
        const QStringList names = backsightNames(m_backsights->text());
        if (names.isEmpty())
            return tr("Enter the names of the backsights.");
        if (m_known.isEmpty())
            return tr("Choose the known-points file that holds the backsights.");
        for (const QString &b : names) {
            if (!m_known.find(b))
                return tr("The known points hold no point %1.").arg(b);
        }
    }
    return laterStationProblem();
}

ReductionOptions StationSetupDialog::options() const
{
    ReductionOptions o;
    StationSetup &s = o.first;
    readNumber(m_easting, &s.easting);
    readNumber(m_northing, &s.northing);
    readNumber(m_height, &s.elevation);
    readNumber(m_instrumentHeight, &s.instrumentHeight);
    // The name places the station only when no coordinates were typed.
    if (!s.hasPosition())
        s.name = m_name->text().trimmed();
    if (m_byAngle->isChecked()) {
        readNumber(m_angle, &s.orientation);
        s.orientationUnit = m_unit;
    } else if (m_byBacksight->isChecked()) {
        o.backsights = backsightNames(m_backsights->text());
    }
    o.known = m_known;
    o.curvature = m_curvature->isChecked();
    o.refraction = m_refraction->value();
    return o;
}
