// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/TransferTypes.h"
#include "gui/common/Messages.h"

#include <QString>
#include <QStringList>

#include <functional>

struct JobTable;

// What the manager's controller asks of its window: message boxes, questions
// and the dialogs in which the user fills in a transfer. The window shows
// them over itself; without one the controller uses Messages unparented.
class ManagerPrompts
{
public:
    using DownloadConfirm = std::function<QString(const DownloadRequest &request)>;
    using UploadConfirm = std::function<QString(const UploadRequest &request)>;

    virtual ~ManagerPrompts() = default;
    virtual void tell(const QString &text, Messages::Kind kind) = 0;
    virtual bool ask(const QString &question) = 0;
    virtual int choose(const QString &text, const QStringList &choices, int defaultChoice) = 0;
    // The download and upload dialogs: confirm starts the transfer (empty
    // return) or says why not. True when the user confirmed and it started.
    virtual bool askDownload(const DownloadConfirm &confirm) = 0;
    virtual bool askUpload(const JobTable &jobs, const UploadConfirm &confirm) = 0;
    // The communication settings dialog; it edits CommSettings directly.
    virtual void editPortSettings() = 0;
};
