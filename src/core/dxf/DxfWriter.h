#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// Writes the converter's ASCII DXF drawing: the prologue (empty header, six
// layers, start of the entities), one POINT and one TEXT per point, the
// epilogue. Lines end in CR LF. Output is passed on in fixed-size pieces, so
// memory stays the same whatever the number of points.
class DxfWriter
{
public:
    explicit DxfWriter(QIODevice &device);
    ~DxfWriter();

    void writePrologue();
    // name: the label's name in the ANSI code page; x, y, z: "%.4f" texts.
    // The label stands at the point's x and y.
    void writePoint(QByteArrayView name, QByteArrayView x, QByteArrayView y, QByteArrayView z);
    void writeEpilogue();

    // Hands what is buffered to the device; false once any write has failed.
    bool flush();
    QString errorString() const;

private:
    void append(QByteArrayView bytes);
    void appendLine(QByteArrayView value);

    QIODevice &m_device;
    QByteArray m_buffer;
    bool m_failed = false;
};
