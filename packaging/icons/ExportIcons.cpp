// SPDX-License-Identifier: GPL-3.0-or-later
// rqtcom-icons OUTDIR SIZE...: writes the application icon, as the program
// paints it, to OUTDIR/rqtcom.svg and OUTDIR/<n>x<n>/rqtcom.png for each size.
// Run at build time so the installed icons never drift from the painted one.

#include "gui/common/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSvgSize = 128;

bool writeSvg(const QIcon &icon, const QString &path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kSvgSize, kSvgSize));
    svg.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("rqtcom"));
    svg.setDescription(QStringLiteral("A total station on a blue tile"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    icon.paint(&painter, QRect(0, 0, kSvgSize, kSvgSize));
    return painter.end();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: rqtcom-icons OUTDIR SIZE...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QIcon icon = Pictures::applicationIcon();
    if (!out.mkpath(QStringLiteral(".")) ||
        !writeSvg(icon, out.filePath(QStringLiteral("rqtcom.svg")))) {
        std::fprintf(stderr, "rqtcom-icons: cannot write %s/rqtcom.svg\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QStringLiteral("%1x%1").arg(size);
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        if (!out.mkpath(folder) || pixmap.size() != QSize(size, size) ||
            !pixmap.save(out.filePath(folder + QStringLiteral("/rqtcom.png")), "PNG")) {
            std::fprintf(stderr, "rqtcom-icons: cannot write the %dx%d icon\n", size, size);
            return 1;
        }
    }
    return 0;
}
