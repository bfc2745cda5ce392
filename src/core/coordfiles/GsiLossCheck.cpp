// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/GsiLossCheck.h"

#include "core/text/Translatable.h"

#include "core/coordfiles/LeadingNumber.h"
#include "core/coordfiles/PointRecord.h"
#include "core/text/CodePage.h"
#include "core/text/Translatable.h"

GsiLossCheck::GsiLossCheck(GsiVariant variant, bool rangeRule)
    : m_variant(variant), m_rangeRule(rangeRule), m_page(CodePage::ansi())
{
}

GsiPointLoss GsiLossCheck::check(const PointRecord &point) const
{
    return check(point.name, point.easting, point.northing, point.elevation, m_variant, m_rangeRule,
                 m_page);
}

GsiPointLoss GsiLossCheck::check(QStringView name, QStringView easting, QStringView northing,
                                 QStringView elevation, GsiVariant variant, bool rangeRule,
                                 const CodePage &page)
{
    GsiPointLoss loss;
    const QStringView values[3] = {easting, northing, elevation};
    for (int i = 0; i < 3; ++i) {
        if (gsi::isEmptyField(values[i]))
            continue;
        loss.zeroed[i] = gsi::coordinateOutcome(leadingNumber(values[i]), variant, rangeRule) !=
                         gsi::Encoded::Value;
    }
    loss.nameCut = !gsi::nameFits(name, page, gsi::blockWidth(variant));
    return loss;
}

bool GsiLossCheck::add(qsizetype row, const PointRecord &point)
{
    const GsiPointLoss loss = check(point);
    if (!loss.any())
        return false;
    ++m_count;
    if (m_rows.size() < kKeptRows)
        m_rows.append({row, describe(row, point, loss)});
    return true;
}

QList<qsizetype> GsiLossCheck::rowNumbers() const
{
    QList<qsizetype> rows;
    for (const Row &r : m_rows)
        rows.append(r.row);
    return rows;
}

QString GsiLossCheck::summary(int maxRows) const
{
    QStringList lines;
    for (int i = 0; i < m_rows.size() && i < maxRows; ++i)
        lines << m_rows.at(i).text;
    const qsizetype shown = lines.size();
    if (m_count > shown)
        lines << QCoreApplication::translate("GsiLossCheck", "... and %1 more rows")
                     .arg(m_count - shown);
    return lines.join(QLatin1Char('\n'));
}

QString GsiLossCheck::describe(qsizetype row, const PointRecord &point,
                               const GsiPointLoss &loss) const
{
    static const char *const kFields[3] = {QT_TRANSLATE_NOOP("GsiLossCheck", "easting"),
                                           QT_TRANSLATE_NOOP("GsiLossCheck", "northing"),
                                           QT_TRANSLATE_NOOP("GsiLossCheck", "elevation")};
    const auto tr = [](const char *text) {
        return QCoreApplication::translate("GsiLossCheck", text);
    };
    const QString *const values[3] = {&point.easting, &point.northing, &point.elevation};
    const int width = gsi::blockWidth(m_variant);
    const QString format =
        m_variant == GsiVariant::Gsi16 ? QStringLiteral("GSI-16") : QStringLiteral("GSI-8");
    QStringList what;
    for (int i = 0; i < 3; ++i) {
        if (!loss.zeroed[i])
            continue;
        what << tr("%1 %2 does not fit %3 and would be written as 0")
                    .arg(tr(kFields[i]), values[i]->trimmed(), format);
    }
    if (loss.nameCut) {
        what << tr("name \"%1\" is longer than %2 characters and would be cut")
                    .arg(point.name)
                    .arg(width);
    }
    return tr("row %1: %2").arg(row + 1).arg(what.join(QStringLiteral("; ")));
}
