// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// What a job item of the instrument stands for: its coordinates (the
// "FixPoints" item) or its measurements (the "MeasurementPoints" item).
enum class DataKind { FixPoints, Observations };

// The file a coordinate download writes; observations are always GSI.
// In the order the download dialog and the command line list them.
enum class DownloadFormat { Gsi, Idex, Cass };

namespace TransferKinds {

// ".gsi", ".idex" or ".dat": the extension a download of kind in format gets.
QString downloadExtension(DataKind kind, DownloadFormat format);
// The format at position index of the dialog's list; nullopt outside it.
std::optional<DownloadFormat> downloadFormatAt(int index);
// "gsi", "idex", "cass": the format's name on the command line.
QString downloadFormatKey(DownloadFormat format);
std::optional<DownloadFormat> downloadFormatFromKey(const QString &key);

} // namespace TransferKinds
