// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/ObservationImport.h"

#include "gui/common/Messages.h"
#include "gui/common/ReductionRun.h"
#include "gui/common/ToolNames.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/PlanView.h"
#include "gui/editor/PointDocument.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"

#include <QDir>

bool ObservationImport::wanted(const QString &path)
{
    const CoordFormat format =
        CoordFileIo::formatForExtension(CoordFileIo::extensionOf(path).toLower());
    // Other formats hold coordinates or nothing the reducer reads.
    if (format != CoordFormat::None && format != CoordFormat::Gsi16 && format != CoordFormat::Gsi8)
        return false;
    return ReductionRun::holdsObservationsOnly(path);
}

bool ObservationImport::open(EditorWindow &editor, const QString &path)
{
    ReductionRun::Reduced reduced;
    if (!ReductionRun::run(&editor, path, false, &reduced))
        return false;
    // A new list not yet in any file: closing asks, Save asks for a name.
    editor.document()->replaceWithUnsaved(reduced.points);
    editor.grid()->setAppendRowIndex(qMax(0, editor.pointModel()->rowCount() - 1));

    std::vector<PlanStation> stations;
    for (const StationReport &s : std::as_const(reduced.result.stations)) {
        if (s.reduced > 0)
            stations.push_back({s.easting, s.northing, s.name});
    }
    editor.planView()->setStations(std::move(stations));
    Messages::show(&editor,
                   tr("%1 reduced to coordinates; save them under a new name.\n%2")
                       .arg(QDir::toNativeSeparators(path), ReductionRun::summary(reduced.result)),
                   Messages::Kind::Plain, ToolNames::editor());
    return true;
}
