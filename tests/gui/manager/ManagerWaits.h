// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/manager/ManagerController.h"
#include "gui/manager/ManagerWindow.h"
#include "tests/support/WaitFor.h"

// The manager's conversations run behind dialogs opened with open(): a test
// starts one through the controller and waits for it as the user would.

// Connects as a double-click on the port does and waits until the wait
// dialog is done: the directory read, the connection cancelled, lost or given up.
inline bool connectAndWait(ManagerController &controller, int timeoutMs = 5000)
{
    controller.connectInstrument();
    return waitFor([&] { return !controller.isConnecting(); }, timeoutMs);
}
inline bool connectAndWait(ManagerWindow &w, int timeoutMs = 5000)
{
    return connectAndWait(w.controller(), timeoutMs);
}

// Waits until the transfer under way has ended and what its end had to say is said.
inline bool transferDone(ManagerController &controller, int timeoutMs = 10000)
{
    return waitFor([&] { return !controller.isTransferring(); }, timeoutMs);
}
inline bool transferDone(ManagerWindow &w, int timeoutMs = 10000)
{
    return transferDone(w.controller(), timeoutMs);
}
