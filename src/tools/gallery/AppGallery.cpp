// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/state/AppState.h"
#include "gui/app/LauncherDialog.h"
#include "gui/common/Translations.h"
#include "tools/gallery/WindowGallery.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

void addAppWindows(WindowGallery &gallery)
{
    gallery.add(QStringLiteral("launcher"), [](AppState &state) -> QWidget * {
        // The launcher decides its language from Language.txt only, so give it
        // the one the gallery is rendering.
        const QString locale = Translations::installed();
        const QLocale::Language language =
            locale.isEmpty() ? QLocale::English : QLocale(locale).language();
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("Language.txt")));
        if (file.open(QIODevice::WriteOnly))
            file.write(QLocale::languageToString(language).toLatin1() + "\r\n");
        file.close();
        LauncherDialog::Tools tools;
        tools.openManager = [](QWidget *) {
        };
        tools.openEditor = [](QWidget *) {
        };
        tools.openConverter = [](QWidget *) {
        };
        return new LauncherDialog(state, tools, nullptr, folder.path());
    });
}
