// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolNames.h"

#include <QCoreApplication>

namespace ToolNames {

QString manager()
{
    return QCoreApplication::translate("ToolNames", "Data Exchange Manager");
}

QString editor()
{
    return QCoreApplication::translate("ToolNames", "Coordinate Editor");
}

QString converter()
{
    return QCoreApplication::translate("ToolNames", "GSI to DXF");
}

} // namespace ToolNames
