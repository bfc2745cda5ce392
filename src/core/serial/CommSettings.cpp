// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/CommSettings.h"

int CommSettings::baudIndex(int rate)
{
    for (int i = 0; i < int(kBaudRates.size()); ++i) {
        if (kBaudRates[size_t(i)] == rate)
            return i;
    }
    return -1;
}

QStringList CommSettings::baudRateTexts()
{
    QStringList texts;
    for (const int rate : kBaudRates)
        texts << QString::number(rate);
    return texts;
}

int CommSettings::baudRateFromText(const QString &text)
{
    const int index = int(baudRateTexts().indexOf(text));
    return index >= 0 ? kBaudRates[size_t(index)] : kKeepLineSpeed;
}

QString CommSettings::endMarkKey(EndMark mark)
{
    return mark == EndMark::Cr ? QStringLiteral("cr") : QStringLiteral("crlf");
}

std::optional<EndMark> CommSettings::endMarkFromKey(const QString &key)
{
    if (key == QLatin1String("crlf"))
        return EndMark::CrLf;
    if (key == QLatin1String("cr"))
        return EndMark::Cr;
    return std::nullopt;
}
