// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/GsiReader.h"

#include <QString>

class QIODevice;

struct GsiToDxfResult
{
    bool ok = true;
    QString error;        // why the run failed, for the user
    qsizetype points = 0; // points converted
    GsiReadResult read;   // how reading the GSI file went
};

// The converter's run: the points of a GSI-16 or GSI-8 file become a drawing
// with one POINT and one labelled TEXT each. A file without a point gives the
// empty drawing and a count of 0, or nothing (MissingInput::Refuse).
class GsiToDxf
{
public:
    enum class MissingInput {
        EmptyDrawing, // as the converter window does: an unreadable file converts no point
        Refuse        // the command line: fail and create no drawing, also for a file
                      // in which no line is a point
    };

    enum class Layout {
        Classic, // one POINT and one "name  elevation" TEXT on it, as always
        Layered  // points, names and elevations on three layers, labels beside the point
    };

    // textHeight: the labels' height in drawing units (metres), above 0.
    static GsiToDxfResult convert(QIODevice &gsi, QIODevice &dxf, Layout layout = Layout::Classic,
                                  double textHeight = 1.0);

    // Writes through a temporary file that replaces dxfPath only when the
    // drawing is complete. Refuses a dxfPath that is the GSI file itself.
    static GsiToDxfResult convert(const QString &gsiPath, const QString &dxfPath,
                                  MissingInput missing, Layout layout = Layout::Classic,
                                  double textHeight = 1.0);

    static bool isSameFile(const QString &a, const QString &b);

    // "Writing dxf file done, N Point convert OK !"
    static QString doneMessage(qsizetype points);
};
