// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QSize>

// The windows were laid out in dialog units; converting through the font's
// average character width and height keeps their proportions at any font size.
class DialogUnits
{
public:
    explicit DialogUnits(const QFont &font)
    {
        const QFontMetricsF fm(font);
        // Average width as Windows computes it: the mean of the 52 Latin letters.
        m_baseX = fm.horizontalAdvance(
                      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                  52.0;
        m_baseY = fm.height();
    }

    int x(qreal dlu) const { return qRound(dlu * m_baseX / 4.0); }
    int y(qreal dlu) const { return qRound(dlu * m_baseY / 8.0); }
    QSize size(qreal w, qreal h) const { return QSize(x(w), y(h)); }

private:
    qreal m_baseX = 6;
    qreal m_baseY = 13;
};
