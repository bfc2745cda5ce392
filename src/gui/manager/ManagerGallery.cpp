#include "CommSettingsDialog.h"
#include "ManagerWindow.h"
#include "ProgressDialog.h"
#include "WaitDialog.h"
#include "gallery/WindowGallery.h"
#include "state/AppState.h"

void addManagerWindows(WindowGallery &gallery)
{
    gallery.add(QStringLiteral("manager"), [](AppState &state) -> QWidget * {
        state.commSettings.PortNumber = 5;
        return new ManagerWindow(state);
    });
    gallery.add(QStringLiteral("comm_settings"), [](AppState &state) -> QWidget * {
        state.commSettings.PortNumber = 5;
        return new CommSettingsDialog(state);
    });
    gallery.add(QStringLiteral("wait"), [](AppState &state) -> QWidget * {
        return new WaitDialog(state, nullptr, 1000 * 3600);
    });
    gallery.add(QStringLiteral("progress"), [](AppState &state) -> QWidget * {
        state.transfer.TransferKind = 3;
        state.transfer.DataTypeIndex = 0;
        state.transfer.PcPath = QStringLiteral("/home/surveyor/jobs/");
        state.transfer.JobBlockCount = QStringLiteral("250\r\n");
        auto *dialog = new ProgressDialog(state, QString(), nullptr, 1000 * 3600);
        state.transfer.TransferBlock = 137;
        dialog->tick();
        return dialog;
    });
}
