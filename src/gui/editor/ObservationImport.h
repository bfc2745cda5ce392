// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

class EditorWindow;

// Opening a GSI observation file in the editor: the set-up is asked, the
// reduced points replace the grid's and the stations are marked on the plan.
// The points are a new list (Save asks for a file), never the observations'.
class ObservationImport
{
    Q_DECLARE_TR_FUNCTIONS(ObservationImport)

public:
    // The editor opens path this way instead of reading its coordinates.
    static bool wanted(const QString &path);
    // False, with the editor as it was, when the user cancelled or nothing
    // could be reduced.
    static bool open(EditorWindow &editor, const QString &path);
};
