// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/TransferKinds.h"

#include <QString>

// What the progress dialog shows of a transfer besides its progress.
struct ProgressInfo
{
    DownloadFormat downloadFormat = DownloadFormat::Gsi; // "File Type": the last download's
    QString destination; // a download's folder, or the upload's job name
    QString countText;   // the chosen item's count, as the instrument sent it
};
