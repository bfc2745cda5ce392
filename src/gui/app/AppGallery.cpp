#include "LauncherDialog.h"
#include "gallery/WindowGallery.h"
#include "state/AppState.h"

#include <QFile>
#include <QTemporaryDir>

void addAppWindows(WindowGallery &gallery)
{
    gallery.add(QStringLiteral("launcher"), [](AppState &state) -> QWidget * {
        // The launcher decides its language from Language.txt only, so give it one.
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("Language.txt")));
        if (file.open(QIODevice::WriteOnly))
            file.write(state.UiLanguage == 1 ? "Chinese\r\n" : "English\r\n");
        file.close();
        LauncherDialog::Tools tools;
        tools.openManager = [](QWidget *) {
        };
        tools.openEditor = [](QWidget *) {};
        tools.openConverter = [](QWidget *) {};
        return new LauncherDialog(state, tools, nullptr, folder.path());
    });
}
