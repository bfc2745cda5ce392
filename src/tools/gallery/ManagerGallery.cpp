// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/JobTable.h"
#include "gui/manager/CommSettingsDialog.h"
#include "gui/manager/DownloadDialog.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/NewNameDialog.h"
#include "gui/manager/PcTree.h"
#include "gui/manager/UploadDialog.h"

#include "core/state/AppState.h"
#include "gui/common/Messages.h"
#include "gui/manager/FilePreview.h"
#include "gui/manager/ManagerWindow.h"
#include "gui/manager/ProgressDialog.h"
#include "gui/manager/WaitDialog.h"
#include "tools/gallery/WindowGallery.h"
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <utility>

namespace {

// A directory as the demo instrument reports it, for pictures without a port.
const JobTable &sampleJobs()
{
    static const JobTable jobs = [] {
        JobTable t;
        const char *names[] = {"ROAD1",   "BRIDGE-N", "道路中线", "PIT",     "<empty>", "控制网",
                               "<empty>", "SITE7",    "<empty>",  "<empty>", "<empty>", "<empty>",
                               "<empty>", "<empty>",  "<empty>",  "<empty>", "<empty>"};
        const int fix[] = {25, 140, 312, 4, 0, 58, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        for (int i = 0; i < JobTable::kJobCount; ++i) {
            t.JobNames[i] = QString::fromUtf8(names[i]);
            t.FixPointCounts[i] = QString::number(fix[i]);
            t.MeasurementCounts[i] = QString::number(fix[i] * 3) + QStringLiteral("\r\n");
            t.JobSlotLabels[i] = JobTable::slotLabel(i);
            t.JobSlotNames[i] = t.JobNames[i];
        }
        return t;
    }();
    return jobs;
}

// A control network as a field crew's CSV: a traverse, two benchmarks and a
// point still waiting for its coordinates.
QByteArray networkCsv()
{
    QByteArray csv = "Name,Code,East,North,Elevation\r\n";
    const char *names[] = {"KZ01", "KZ02", "KZ03", "KZ04", "KZ05", "KZ06", "BM1", "BM2", "T101"};
    for (int i = 0; i < 9; ++i) {
        const double angle = i * 0.7;
        csv += QByteArray(names[i]) + (i >= 6 ? ",BM," : ",STN,") +
               QByteArray::number(512345.678 + 180 * std::cos(angle) + i * 25, 'f', 3) + ',' +
               QByteArray::number(3456789.012 + 120 * std::sin(angle) - i * 9, 'f', 3) + ',' +
               QByteArray::number(45.12 + i * 0.317, 'f', 3) + "\r\n";
    }
    csv += "KZ07,STN,,,\r\n";
    return csv;
}

// A small survey folder made for the pictures, so they never show the
// machine's own home folder. It lives until the process ends.
QString sampleSurveyFolder()
{
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/rqtcom-gallery-XXXXXX"));
    static const QString survey = [] {
        const QDir base(root.path());
        base.mkpath(QStringLiteral("survey/2024-road"));
        base.mkpath(QStringLiteral("survey/control"));
        const QByteArray gsi = "*110001+00000000000KZ01 81..00+0000000512345678 "
                               "82..00+0000003456789012 83..00+0000000000045120 \r\n";
        const QByteArray dat = "1,KZ01,,512345.678,3456789.012,45.120\r\n";
        for (const auto &[name, content] : {std::pair{"survey/2024-road/road1.gsi", gsi},
                                            {"survey/2024-road/road1.dat", dat},
                                            {"survey/2024-road/stakeout.gsi", gsi},
                                            {"survey/control/network.gsi", gsi},
                                            {"survey/control/network.dat", dat},
                                            {"survey/points.gsi", gsi},
                                            {"survey/topo.dat", dat},
                                            {"survey/control/network.csv", networkCsv()}}) {
            QFile file(base.filePath(QString::fromLatin1(name)));
            if (file.open(QIODevice::WriteOnly))
                file.write(content);
        }
        return base.filePath(QStringLiteral("survey"));
    }();
    return survey;
}

ManagerWindow::Options sampleDrives()
{
    ManagerWindow::Options options;
    options.drives = {QDir::rootPath(), sampleSurveyFolder()}; // "/" or "C:/"
    return options;
}

// The box a manager command shows, with the text caught from the window, so
// the pictures show the messages in the window's language.
QWidget *messageOf(AppState &state, void (*command)(ManagerWindow &))
{
    QString text;
    Messages::setHandler({[&text](const QString &t, Messages::Kind) { text = t; },
                          [&text](const QString &t) {
                              text = t;
                              return false;
                          }});
    {
        ManagerWindow w(state, sampleDrives());
        command(w);
    }
    Messages::setHandler({});
    return new QMessageBox(QMessageBox::Warning, QStringLiteral("RQT300_COM"), text,
                           QMessageBox::Ok);
}

// The choice box a window offers, with its text and buttons caught, so the
// pictures show the question in the window's language.
QWidget *choiceOf(const std::function<void()> &command)
{
    QString text;
    QStringList choices;
    Messages::setChoiceHandler([&](const QString &t, const QStringList &c) {
        text = t;
        choices = c;
        return int(c.size()) - 1;
    });
    command();
    Messages::setChoiceHandler({});
    auto *box = new QMessageBox(QMessageBox::Question, QStringLiteral("RQT300_COM"), text,
                                QMessageBox::NoButton);
    for (const QString &choice : choices)
        box->addButton(choice, QMessageBox::ActionRole);
    return box;
}

} // namespace

void addManagerWindows(WindowGallery &gallery)
{
    gallery.add(QStringLiteral("manager"), [](AppState &state) -> QWidget * {
        state.commSettings.PortNumber = 5;
        auto *w = new ManagerWindow(state, sampleDrives());
        w->instrumentTree()->buildJobTree(sampleJobs());
        w->instrumentTree()->setCurrentItem(w->instrumentTree()->fixPointsNode(0));
        PcTree *pc = w->pcTree();
        QTreeWidgetItem *survey =
            pc->myComputerNode()->child(pc->myComputerNode()->childCount() - 1);
        pc->enumerateFolderNode(survey);
        survey->setExpanded(true);
        pc->setCurrentItem(survey);
        w->resize(w->sizeHint());
        return w;
    });
    gallery.add(QStringLiteral("manager_preview"), [](AppState &state) -> QWidget * {
        auto *w = new ManagerWindow(state, sampleDrives());
        w->instrumentTree()->buildJobTree(sampleJobs());
        PcTree *pc = w->pcTree();
        QTreeWidgetItem *survey =
            pc->myComputerNode()->child(pc->myComputerNode()->childCount() - 1);
        pc->enumerateFolderNode(survey);
        survey->setExpanded(true);
        const QString file = sampleSurveyFolder() + QStringLiteral("/control/network.csv");
        w->filePreview()->showFile(file);
        w->filePreview()->waitUntilShown(10000);
        w->resize(w->sizeHint());
        return w;
    });
    gallery.add(QStringLiteral("menu_pc"), [](AppState &state) -> QWidget * {
        auto *w = new ManagerWindow(state);
        QMenu *menu = w->makePcMenu(nullptr);
        QObject::connect(menu, &QObject::destroyed, w, &QObject::deleteLater);
        return menu;
    });
    gallery.add(QStringLiteral("menu_instrument"), [](AppState &state) -> QWidget * {
        auto *w = new ManagerWindow(state);
        // As the menu opens on a point item: what Move downloads.
        w->instrumentTree()->buildJobTree(sampleJobs());
        w->instrumentTree()->setCurrentItem(w->instrumentTree()->fixPointsNode(0));
        QMenu *menu = w->makeInstrumentMenu(nullptr);
        QObject::connect(menu, &QObject::destroyed, w, &QObject::deleteLater);
        return menu;
    });
    gallery.add(QStringLiteral("download"), [](AppState &state) -> QWidget * {
        state.selection.portLabel = QStringLiteral("COM5");
        state.selection.pcPath = sampleSurveyFolder() + QLatin1Char('/');
        state.selection.jobName = QStringLiteral("ROAD1");
        return new DownloadDialog(state, {});
    });
    gallery.add(QStringLiteral("download_observations"), [](AppState &state) -> QWidget * {
        // The observations item: the coordinates can be saved with them.
        state.selection.portLabel = QStringLiteral("COM5");
        state.selection.pcPath = sampleSurveyFolder() + QLatin1Char('/');
        state.selection.jobName = QStringLiteral("ROAD1");
        state.selection.dataKind = DataKind::Observations;
        return new DownloadDialog(state, {});
    });
    gallery.add(QStringLiteral("upload"), [](AppState &state) -> QWidget * {
        state.selection.pcPath = sampleSurveyFolder() + QStringLiteral("/points.gsi");
        state.selection.jobNumber = 3;
        return new UploadDialog(state, sampleJobs(), {});
    });
    gallery.add(QStringLiteral("upload_occupied"), [](AppState &state) -> QWidget * {
        state.selection.pcPath = sampleSurveyFolder() + QStringLiteral("/points.gsi");
        state.selection.jobNumber = 1;
        return choiceOf([&state] {
            UploadDialog dialog(state, sampleJobs(), {});
            dialog.okButton()->click(); // ROAD1 holds 25 points
        });
    });
    gallery.add(QStringLiteral("manager_connection_closed"), [](AppState &state) -> QWidget * {
        auto *w = new ManagerWindow(state, sampleDrives());
        w->instrumentTree()->buildJobTree(sampleJobs());
        w->instrumentTree()->markConnectionClosed();
        w->resize(w->sizeHint());
        return w;
    });
    gallery.add(QStringLiteral("new_name"),
                [](AppState &state) -> QWidget * { return new NewNameDialog(state); });
    gallery.add(QStringLiteral("comm_settings"), [](AppState &state) -> QWidget * {
        state.commSettings.PortNumber = 5;
        return new CommSettingsDialog(state);
    });
    gallery.add(QStringLiteral("wait"),
                [](AppState &) -> QWidget * { return new WaitDialog(nullptr, 1000 * 3600); });
    gallery.add(QStringLiteral("message_connect_first"), [](AppState &state) -> QWidget * {
        return messageOf(state, [](ManagerWindow &w) {
            w.instrumentTree()->buildJobTree(sampleJobs());
            w.instrumentTree()->setCurrentItem(w.instrumentTree()->fixPointsNode(0));
            w.controller().download(); // no connection is open
        });
    });
    gallery.add(QStringLiteral("message_cannot_delete"), [](AppState &state) -> QWidget * {
        return messageOf(state, [](ManagerWindow &w) {
            w.pcTree()->setCurrentItem(w.pcTree()->myComputerNode());
            w.pcDeleteCommand();
        });
    });
    gallery.add(QStringLiteral("progress"), [](AppState &) -> QWidget * {
        ProgressDialog::Info info;
        info.destination = QStringLiteral("/home/surveyor/jobs/");
        info.countText = QStringLiteral("250\r\n");
        auto *dialog = new ProgressDialog(info);
        dialog->setProgress(137, 250);
        return dialog;
    });
}
