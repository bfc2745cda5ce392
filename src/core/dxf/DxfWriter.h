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

    // The layered drawing: points, name labels and elevation labels on the
    // layers POINT, NAME and ELEVATION, the labels beside their point.
    static constexpr double kTextHeight = 1.0;
    void writeLayeredPrologue();
    // x, y: the point's coordinates as numbers, for placing the labels;
    // xText, yText, zText: its "%.4f" texts. An empty name writes no name label.
    void writeLayeredPoint(QByteArrayView name, double x, double y, QByteArrayView xText,
                           QByteArrayView yText, QByteArrayView zText);

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
