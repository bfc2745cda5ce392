// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ToolNames.h"

#include <QCoreApplication>

namespace ToolNames {

QString editor()
{
    return QCoreApplication::translate("ToolNames", "File Editor");
}

QString converter()
{
    // The converter's caption reads the same in both languages.
    return QStringLiteral("GSIToDXF");
}

} // namespace ToolNames
