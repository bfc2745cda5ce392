// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/about/ProgramInfo.h"
#include "tools/gallery/WindowGallery.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

// Renders every window and dialog of rqtcom to pictures for review; a
// developer's tool, neither installed nor packaged.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The same settings names as rqtcom, so windows that read them behave alike.
    QApplication::setOrganizationName(QStringLiteral("rqtcom"));
    QApplication::setApplicationName(QStringLiteral("rqtcom"));
    QApplication::setApplicationVersion(ProgramInfo::version());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renders every window of rqtcom in English and Chinese to PNG files."));
    parser.addHelpOption();
    const QCommandLineOption screenshots(
        QStringLiteral("screenshots"),
        QStringLiteral("Render every window in English and Chinese to PNG files in <dir>."),
        QStringLiteral("dir"));
    parser.addOption(screenshots);
    parser.process(app);

    const QString folder = parser.value(screenshots);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "rqtcom-gallery: name the folder: --screenshots <dir>\n");
        return 2;
    }
    const QStringList files = WindowGallery::catalog().renderAll(folder);
    for (const QString &file : files)
        std::printf("%s\n", qPrintable(file));
    return files.isEmpty() ? 1 : 0;
}
