// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/gallery/WindowGallery.h"

#include "core/state/AppState.h"
#include "gui/common/Translations.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <memory>

namespace {

// grab() leaves out the window frame; draw the caption above the picture so
// the title can be reviewed as well.
QPixmap withCaption(const QPixmap &body, const QString &caption)
{
    const qreal dpr = body.devicePixelRatio();
    const QSize size = body.size() / dpr;
    const int bar = 26;
    QPixmap out(QSize(size.width(), size.height() + bar) * dpr);
    out.setDevicePixelRatio(dpr);
    out.fill(QColor(0x3c, 0x4a, 0x5c));
    QPainter p(&out);
    p.setPen(Qt::white);
    QFont f = QApplication::font();
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(8, 0, size.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, caption);
    p.drawPixmap(0, bar, body);
    return out;
}

} // namespace

QStringList WindowGallery::renderAll(const QString &folder) const
{
    QStringList written;
    QDir().mkpath(folder);
    // English, the source language, and every built-in translation.
    const QStringList locales = QStringList{QString()} + Translations::available();
    for (const Entry &entry : m_entries) {
        for (const QString &locale : locales) {
            const Translations::Scope language(locale);
            AppState state;
            state.UiLanguage = Translations::isChinese() ? 1 : 0;
            std::unique_ptr<QWidget> widget(entry.make(state));
            if (!widget)
                continue;
            QPixmap picture;
            if (auto *menu = qobject_cast<QMenu *>(widget.get())) {
                menu->ensurePolished();
                menu->adjustSize();
                picture = menu->grab();
            } else {
                widget->ensurePolished();
                // A size the entry chose stands; adjustSize() caps at two thirds of the screen.
                if (!widget->testAttribute(Qt::WA_Resized))
                    widget->adjustSize();
                // Showing lets size hints and layouts settle as a user would see them.
                widget->show();
                QApplication::processEvents();
                picture = widget->grab();
                widget->hide();
            }
            if (!widget->windowTitle().isEmpty() && !qobject_cast<QMenu *>(widget.get()))
                picture = withCaption(picture, widget->windowTitle());
            const QString suffix =
                locale.isEmpty() ? QStringLiteral("en") : locale.section('_', 0, 0);
            const QString path = QDir(folder).filePath(entry.name + QLatin1Char('_') + suffix +
                                                       QStringLiteral(".png"));
            if (picture.save(path))
                written << path;
        }
    }
    return written;
}

WindowGallery WindowGallery::catalog()
{
    WindowGallery gallery;
    addAppWindows(gallery);
    addManagerWindows(gallery);
    addEditorWindows(gallery);
    return gallery;
}
