// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point of rqtcom-cli-plot, the module rqtcom-cli loads for "plot"
// alone (PlotLoader.cpp): drawing needs Qt Gui, which the other commands
// would otherwise load at every start.
#include "cli/Commands.h"
#include "core/about/ProgramInfo.h"

#include <QGuiApplication>

extern "C" Q_DECL_EXPORT int rqtcomCliPlot(int *argc, char **argv)
{
    // Drawing text needs the GUI application's fonts; it runs without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(*argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rqtcom-cli"));
    QCoreApplication::setApplicationVersion(ProgramInfo::version());
    QStringList args = QCoreApplication::arguments();
    args.removeFirst(); // the program
    args.removeFirst(); // "plot"
    return cli::runPlot(args);
}
