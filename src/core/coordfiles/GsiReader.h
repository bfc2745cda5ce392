#pragma once

#include "GsiWord.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

class PointSink;
class QIODevice;

// The two forms a GSI coordinate file can take, told from its first line.
enum class GsiForm { None, Gsi16, Gsi8 };

// One point line cut into its blocks. A block the line is too short for is
// empty, and its sign position reads '+'.
struct GsiPointLine
{
    qsizetype number = 0; // 1 for the first point line, one more for each following
    QByteArrayView name;  // the raw name block, leading zeros still in it
    char sign[3] = {'+', '+', '+'};
    QByteArrayView block[3]; // second, third and fourth word: easting, northing, elevation

    static GsiPointLine split(QByteArrayView line, GsiForm form);
};

struct GsiReadResult
{
    bool opened = true;           // false: the file could not be opened (path overload)
    GsiForm form = GsiForm::None; // None: not a GSI coordinate file, nothing was read
    qsizetype points = 0;
    // False when reading stopped at a line that is no point line while more
    // than blank lines followed; stopLine is that line (1-based).
    bool complete = true;
    qsizetype stopLine = 0;
    QString error; // a read error of the device
};

// The reading loop of GSI coordinate files: the first line decides the form,
// then lines are read while the line last read passes the form's test and the
// next begins with the form's first character.
class GsiReader
{
public:
    // The first-line test: GSI-16 is "*" ... blank at offset 96, exactly 97
    // characters; GSI-8 begins with "11" and has at most 64 characters.
    static GsiForm classify(QByteArrayView line);

    // Calls onPoint for every point line, in order.
    static GsiReadResult scan(QIODevice &device,
                              const std::function<void(const GsiPointLine &)> &onPoint);

    // Reads the points into sink, which is cleared only when the first line is
    // of either form. Coordinates become "%.3f" metres; a block missing from a
    // short line becomes an empty field.
    static GsiReadResult read(QIODevice &device, PointSink &sink);
    static GsiReadResult read(const QString &path, PointSink &sink);
};
