// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/TransferKinds.h"

namespace TransferKinds {

QString downloadExtension(DataKind kind, DownloadFormat format)
{
    if (kind == DataKind::Observations)
        return QStringLiteral(".gsi");
    switch (format) {
    case DownloadFormat::Gsi:
        return QStringLiteral(".gsi");
    case DownloadFormat::Idex:
        return QStringLiteral(".idex");
    case DownloadFormat::Cass:
        return QStringLiteral(".dat");
    }
    return QStringLiteral(".gsi");
}

std::optional<DownloadFormat> downloadFormatAt(int index)
{
    if (index < 0 || index > int(DownloadFormat::Cass))
        return std::nullopt;
    return DownloadFormat(index);
}

QString downloadFormatKey(DownloadFormat format)
{
    switch (format) {
    case DownloadFormat::Gsi:
        return QStringLiteral("gsi");
    case DownloadFormat::Idex:
        return QStringLiteral("idex");
    case DownloadFormat::Cass:
        return QStringLiteral("cass");
    }
    return QString();
}

std::optional<DownloadFormat> downloadFormatFromKey(const QString &key)
{
    for (const DownloadFormat f :
         {DownloadFormat::Gsi, DownloadFormat::Idex, DownloadFormat::Cass}) {
        if (key.compare(downloadFormatKey(f), Qt::CaseInsensitive) == 0)
            return f;
    }
    return std::nullopt;
}

} // namespace TransferKinds
