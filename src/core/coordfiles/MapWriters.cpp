// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/MapWriters.h"

#include "core/geo/CrsTransform.h"
#include "core/geo/WgsPoint.h"

#include <QIODevice>
#include <QLocale>
#include <QXmlStreamWriter>

namespace {

// Nine decimals of a degree are about a tenth of a millimetre.
constexpr int kDegreeDecimals = 9;

void appendJsonString(QByteArray &out, const QString &text)
{
    out.append('"');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        default:
            if (u < 0x20)
                out.append(QByteArray("\\u00") + QByteArray::number(u, 16).rightJustified(2, '0'));
            else
                out.append(QString(c).toUtf8());
        }
    }
    out.append('"');
}

QByteArray number(double value, int decimals)
{
    return QByteArray::number(value, 'f', decimals);
}

DelimitedResult refused(const QString &why)
{
    DelimitedResult result;
    result.ok = false;
    result.error = why;
    return result;
}

} // namespace

DelimitedResult GeoJsonWriter::write(QIODevice &device, const PointSource &points,
                                     const QString &crs)
{
    const CrsTransform transform(crs);
    if (!transform.isValid())
        return refused(transform.error());
    DelimitedResult result;
    const qsizetype count = points.pointCount();
    BufferedWriter out(device, count * 160);
    out.append("{\"type\":\"FeatureCollection\",\"features\":[\n");
    for (qsizetype row = 0; row < count; ++row) {
        const PointRecord p = points.point(row);
        WgsPoint w;
        QString error;
        if (!WgsPoint::from(transform, row, p, &w, &error))
            return refused(error);
        QByteArray &b = out.buffer();
        b.append("{\"type\":\"Feature\",\"geometry\":");
        if (w.located) {
            b.append("{\"type\":\"Point\",\"coordinates\":[" + number(w.lon, kDegreeDecimals) +
                     ',' + number(w.lat, kDegreeDecimals));
            if (w.hasElevation)
                b.append(',' +
                         QByteArray::number(w.elevation, 'g', QLocale::FloatingPointShortest));
            b.append("]}");
        } else {
            b.append("null");
        }
        b.append(",\"properties\":{\"name\":");
        appendJsonString(b, p.name);
        b.append(",\"code\":");
        appendJsonString(b, p.code);
        b.append(",\"elevation\":");
        b.append(w.hasElevation
                     ? QByteArray::number(w.elevation, 'g', QLocale::FloatingPointShortest)
                     : QByteArray("null"));
        b.append(row + 1 < count ? "}},\n" : "}}\n");
        out.flushIfFull();
    }
    out.append("]}\n");
    if (!out.finish())
        return refused(out.errorString());
    result.pointCount = count;
    return result;
}

DelimitedResult KmlWriter::write(QIODevice &device, const PointSource &points, const QString &crs)
{
    const CrsTransform transform(crs);
    if (!transform.isValid())
        return refused(transform.error());
    DelimitedResult result;
    const qsizetype count = points.pointCount();
    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("kml"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.opengis.net/kml/2.2"));
    xml.writeStartElement(QStringLiteral("Document"));
    for (qsizetype row = 0; row < count; ++row) {
        const PointRecord p = points.point(row);
        WgsPoint w;
        QString error;
        if (!WgsPoint::from(transform, row, p, &w, &error))
            return refused(error);
        xml.writeStartElement(QStringLiteral("Placemark"));
        xml.writeTextElement(QStringLiteral("name"), p.name);
        if (!p.code.isEmpty())
            xml.writeTextElement(QStringLiteral("description"), p.code);
        xml.writeStartElement(QStringLiteral("ExtendedData"));
        const QString elevation =
            w.hasElevation ? QString::number(w.elevation, 'g', QLocale::FloatingPointShortest)
                           : QString();
        for (const auto &[key, value] :
             {std::pair<QString, QString>(QStringLiteral("code"), p.code),
              {QStringLiteral("elevation"), elevation}}) {
            xml.writeStartElement(QStringLiteral("Data"));
            xml.writeAttribute(QStringLiteral("name"), key);
            xml.writeTextElement(QStringLiteral("value"), value);
            xml.writeEndElement();
        }
        xml.writeEndElement();
        if (w.located) {
            xml.writeStartElement(QStringLiteral("Point"));
            QString coordinates = QString::number(w.lon, 'f', kDegreeDecimals) + QLatin1Char(',') +
                                  QString::number(w.lat, 'f', kDegreeDecimals);
            if (w.hasElevation) {
                // The elevation is above sea level, not above the ground.
                xml.writeTextElement(QStringLiteral("altitudeMode"), QStringLiteral("absolute"));
                coordinates += QLatin1Char(',') +
                               QString::number(w.elevation, 'g', QLocale::FloatingPointShortest);
            }
            xml.writeTextElement(QStringLiteral("coordinates"), coordinates);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    if (xml.hasError())
        return refused(device.errorString());
    result.pointCount = count;
    return result;
}
