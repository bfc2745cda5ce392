// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/PaintedIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace {

class PaintedIconEngine : public QIconEngine
{
public:
    PaintedIconEngine(PictureFunction draw, QSize designSize)
        : m_draw(std::move(draw)), m_designSize(designSize)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const QSizeF fitted = QSizeF(m_designSize).scaled(QSizeF(rect.size()), Qt::KeepAspectRatio);
        painter->save();
        painter->translate(rect.x() + (rect.width() - fitted.width()) / 2,
                           rect.y() + (rect.height() - fitted.height()) / 2);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        painter->scale(fitted.width() / m_designSize.width(),
                       fitted.height() / m_designSize.height());
        m_draw(*painter, QSizeF(m_designSize));
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return m_designSize.scaled(size, Qt::KeepAspectRatio);
    }

    QIconEngine *clone() const override { return new PaintedIconEngine(m_draw, m_designSize); }

private:
    PictureFunction m_draw;
    QSize m_designSize;
};

} // namespace

namespace PaintedIcon {

QIcon make(PictureFunction draw, QSize designSize)
{
    return QIcon(new PaintedIconEngine(std::move(draw), designSize));
}

QPixmap render(const PictureFunction &draw, QSize designSize, qreal devicePixelRatio)
{
    QPixmap pm(designSize * devicePixelRatio);
    pm.setDevicePixelRatio(devicePixelRatio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p, QSizeF(designSize));
    return pm;
}

} // namespace PaintedIcon
