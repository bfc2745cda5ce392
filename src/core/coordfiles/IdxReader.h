#pragma once

#include "coordfiles/DelimitedIo.h"

class FieldDecoder;

// Where the IDX reader stands in the file's sections.
enum class IdxReadState {
    Outside = 0,
    InDatabase = 1,
    InPoints = 2,
};

// IDX files (".idx"): point lines are read only inside the POINTS section of the
// DATABASE section; the sections are told apart by single characters of the
// keyword lines. Every read starts outside the database section.
class IdxReader
{
public:
    IdxReadState state() const { return m_state; }

    // Advances the section state by one line (without its line end); true when
    // the line is a point, which is then in point.
    bool readLine(QByteArrayView line, const FieldDecoder &decoder, PointRecord &point);
    bool readLine(QByteArrayView line, PointRecord &point);

    // Empties sink, then appends the points of the file.
    static DelimitedResult read(QIODevice &device, PointSink &sink);

private:
    void readPoint(QByteArrayView line, const FieldDecoder &decoder, PointRecord &point) const;

    IdxReadState m_state = IdxReadState::Outside;
};
