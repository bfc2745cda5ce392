// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/LandXmlWriter.h"

#include "core/coordfiles/CoordinateText.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QIODevice>
#include <QXmlStreamWriter>

namespace {

QString rowName(qsizetype row, const PointRecord &p)
{
    return p.name.isEmpty() ? QStringLiteral("row %1").arg(row + 1)
                            : QStringLiteral("row %1 (%2)").arg(row + 1).arg(p.name);
}

} // namespace

DelimitedResult LandXmlWriter::write(QIODevice &device, const PointSource &points)
{
    DelimitedResult result;
    const qsizetype count = points.pointCount();
    // Checked first, so a refused file leaves nothing half written behind.
    for (qsizetype row = 0; row < count; ++row) {
        const PointRecord p = points.point(row);
        const struct
        {
            const QString &text;
            const char *what;
            bool required;
        } fields[] = {{p.northing, "northing", true},
                      {p.easting, "easting", true},
                      {p.elevation, "elevation", false}};
        for (const auto &field : fields) {
            const coordtext::Kind kind = coordtext::parse(field.text, nullptr);
            if (kind == coordtext::Kind::Invalid ||
                (field.required && kind == coordtext::Kind::Empty)) {
                result.ok = false;
                result.error =
                    kind == coordtext::Kind::Empty
                        ? QStringLiteral("%1 has no %2; LandXML needs both plane "
                                         "coordinates of every point")
                              .arg(rowName(row, p), QLatin1String(field.what))
                        : QStringLiteral("%1: the %2 \"%3\" is no number")
                              .arg(rowName(row, p), QLatin1String(field.what), field.text);
                return result;
            }
        }
    }

    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("LandXML"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.landxml.org/schema/LandXML-1.2"));
    const QDateTime now = QDateTime::currentDateTime();
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
    xml.writeAttribute(QStringLiteral("date"), now.toString(QStringLiteral("yyyy-MM-dd")));
    xml.writeAttribute(QStringLiteral("time"), now.toString(QStringLiteral("HH:mm:ss")));
    xml.writeStartElement(QStringLiteral("Units"));
    xml.writeEmptyElement(QStringLiteral("Metric"));
    xml.writeAttribute(QStringLiteral("linearUnit"), QStringLiteral("meter"));
    xml.writeAttribute(QStringLiteral("areaUnit"), QStringLiteral("squareMeter"));
    xml.writeAttribute(QStringLiteral("volumeUnit"), QStringLiteral("cubicMeter"));
    xml.writeAttribute(QStringLiteral("angularUnit"), QStringLiteral("decimal degrees"));
    xml.writeAttribute(QStringLiteral("directionUnit"), QStringLiteral("decimal degrees"));
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("Application"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("rqtcom"));
    xml.writeAttribute(QStringLiteral("version"), QCoreApplication::applicationVersion());
    xml.writeStartElement(QStringLiteral("CgPoints"));
    for (qsizetype row = 0; row < count; ++row) {
        const PointRecord p = points.point(row);
        xml.writeStartElement(QStringLiteral("CgPoint"));
        xml.writeAttribute(QStringLiteral("name"), p.name);
        if (!p.code.isEmpty())
            xml.writeAttribute(QStringLiteral("code"), p.code);
        QString text = coordtext::trimmed(p.northing).toString() + QLatin1Char(' ') +
                       coordtext::trimmed(p.easting).toString();
        const QStringView elevation = coordtext::trimmed(p.elevation);
        if (!elevation.isEmpty())
            text += QLatin1Char(' ') + elevation.toString();
        xml.writeCharacters(text);
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    if (xml.hasError()) {
        result.ok = false;
        result.error = device.errorString();
        return result;
    }
    result.pointCount = count;
    return result;
}
