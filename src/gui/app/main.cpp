// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/about/ProgramInfo.h"
#include "core/serial/PortDiscovery.h"
#include "core/state/AppState.h"
#include "core/text/CodePage.h"
#include "gui/app/LauncherDialog.h"
#include "gui/common/AppSettings.h"
#include "gui/converter/GsiToDxfDialog.h"
#include "gui/editor/EditorWindow.h"
#include "gui/manager/ManagerWindow.h"
#include "sim/SimInstrument.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    // --help and --version answer without a display (over ssh, in scripts).
    for (int i = 1; i < argc && qstrcmp(argv[i], "--") != 0; ++i) {
        if (qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "-h") == 0 ||
            qstrcmp(argv[i], "--version") == 0 || qstrcmp(argv[i], "-v") == 0) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            break;
        }
    }
    QApplication app(argc, argv);
    // QSettings files go under these names: the last folder, the port
    // settings and the windows' places.
    QApplication::setOrganizationName(QStringLiteral("rqtcom"));
    QApplication::setApplicationName(QStringLiteral("rqtcom"));
    QApplication::setOrganizationName(QStringLiteral("rqtcom"));
    QApplication::setApplicationVersion(ProgramInfo::version());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Data exchange with an RQT-318 total station, coordinate file editor "
                       "and GSI to DXF converter."));
    parser.addHelpOption();
    const QCommandLineOption version = ProgramInfo::versionOption();
    parser.addOption(version);
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Connect the manager to a simulated instrument."));
    const QCommandLineOption firstPaint(
        QStringLiteral("first-paint-exit"),
        QStringLiteral("Print the milliseconds to the launcher's first paint and quit."));
    parser.addOptions({demo, firstPaint});
    parser.process(app);
    if (parser.isSet(version)) {
        ProgramInfo::printVersion(QStringLiteral("rqtcom"));
        return 0;
    }

    // The demo instrument lives for the whole run, so every opening of the
    // manager finds it; its pty stands for the manager's port.
    std::unique_ptr<SimInstrument> demoInstrument;
    ManagerWindow::Options managerOptions;
    if (parser.isSet(demo)) {
        // The demo store holds Chinese job names, as a Chinese-market instrument
        // sends them in GBK; read them that way unless the user chose code pages.
        if (qEnvironmentVariableIsEmpty("RQTCOM_ANSI_CODEPAGE"))
            qputenv("RQTCOM_ANSI_CODEPAGE", "GBK");
        if (qEnvironmentVariableIsEmpty("RQTCOM_OEM_CODEPAGE"))
            qputenv("RQTCOM_OEM_CODEPAGE", "GBK");
        demoInstrument = std::make_unique<SimInstrument>(SimJobStore::demo());
        QString error;
        if (!demoInstrument->start(&error)) {
            std::fprintf(stderr, "rqtcom: the demo instrument cannot start: %s\n",
                         qPrintable(error));
            return 2;
        }
        managerOptions.devicePath = demoInstrument->slavePath();
        std::printf("Demo instrument on %s: open the Data Exchange Manager and double-click "
                    "the port.\n",
                    qPrintable(managerOptions.devicePath));
        std::fflush(stdout);
    }

    AppState state;
    LauncherDialog::Tools tools;
    tools.openManager = [&state, &managerOptions](QWidget *launcher) {
        DiscoverAdapterPort(state.commSettings);
        // The discovery finds the port; speed, end mark and name encoding are
        // the ones the user last confirmed.
        AppSettings::loadComm(state.commSettings);
        ManagerWindow manager(state, managerOptions, launcher);
        manager.exec();
    };
    tools.openEditor = [](QWidget *launcher) {
        // A window of its own over the launcher, which waits while it is open.
        auto *editor = new EditorWindow(launcher);
        editor->setAttribute(Qt::WA_DeleteOnClose);
        editor->setWindowModality(Qt::WindowModal);
        editor->show();
    };
    tools.openConverter = [&state](QWidget *launcher) {
        GsiToDxfDialog converter(launcher);
        converter.exec();
    };
    LauncherDialog launcher(state, tools);
    CodePage::configure(state.UiLanguage == 1);
    if (parser.isSet(firstPaint)) {
        QObject::connect(&launcher, &LauncherDialog::firstPainted, &launcher, [&] {
            std::printf("%lld\n", static_cast<long long>(sinceStart.elapsed()));
            std::fflush(stdout);
            QTimer::singleShot(0, &launcher, &QDialog::reject);
        });
    }
    launcher.exec();
    return 0;
}
