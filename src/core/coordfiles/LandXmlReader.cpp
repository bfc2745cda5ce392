// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/LandXmlReader.h"

#include "core/coordfiles/CoordinateText.h"

#include <QIODevice>
#include <QXmlStreamReader>

namespace {

bool isMetre(QStringView unit)
{
    return unit.isEmpty() || unit.compare(u"meter", Qt::CaseInsensitive) == 0 ||
           unit.compare(u"metre", Qt::CaseInsensitive) == 0;
}

} // namespace

DelimitedResult LandXmlReader::read(QIODevice &device, PointSink &sink)
{
    DelimitedResult result;
    QXmlStreamReader xml(&device);
    bool sawRoot = false;
    PointRecord point;
    const auto fail = [&](const QString &why) {
        result.ok = false;
        result.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(why);
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (!sawRoot) {
            sawRoot = true;
            if (name != u"LandXML") {
                fail(QStringLiteral("the document is no LandXML (its root is <%1>)")
                         .arg(name.toString()));
                return result;
            }
            sink.clear();
            continue;
        }
        if (name == u"Imperial") {
            fail(QStringLiteral("the file measures in %1; only metric LandXML is read")
                     .arg(xml.attributes().value(QLatin1String("linearUnit")).toString()));
            return result;
        }
        if (name == u"Metric" && !isMetre(xml.attributes().value(QLatin1String("linearUnit")))) {
            fail(QStringLiteral("the file measures in %1; only metres are read")
                     .arg(xml.attributes().value(QLatin1String("linearUnit")).toString()));
            return result;
        }
        if (name != u"CgPoint")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        point.number = QString::number(result.pointCount + 1);
        point.name = attributes.value(QLatin1String("name")).toString();
        point.code = attributes.hasAttribute(QLatin1String("code"))
                         ? attributes.value(QLatin1String("code")).toString()
                         : attributes.value(QLatin1String("desc")).toString();
        const qint64 line = xml.lineNumber();
        const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
        const QStringList values = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (values.size() < 2 || values.size() > 3) {
            result.ok = false;
            result.error = QStringLiteral("line %1: CgPoint \"%2\" holds \"%3\", not "
                                          "\"northing easting [elevation]\"")
                               .arg(line)
                               .arg(point.name, text.simplified());
            return result;
        }
        for (const QString &value : values) {
            if (coordtext::parse(value, nullptr) != coordtext::Kind::Number) {
                result.ok = false;
                result.error = QStringLiteral("line %1: CgPoint \"%2\": \"%3\" is no number")
                                   .arg(line)
                                   .arg(point.name, value);
                return result;
            }
        }
        point.northing = values.at(0);
        point.easting = values.at(1);
        point.elevation = values.value(2);
        sink.append(point);
        ++result.pointCount;
    }
    if (xml.hasError()) {
        fail(xml.errorString());
        return result;
    }
    if (!sawRoot) {
        result.ok = false;
        result.error = QStringLiteral("the file holds no XML document");
    }
    return result;
}
