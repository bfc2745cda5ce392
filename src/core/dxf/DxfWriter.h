// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// Writes the converter's ASCII DXF drawing (R12): the prologue (header with
// version and code page; line type, six layers and text style; start of the
// entities), one POINT and one TEXT per point, the
// epilogue. Lines end in CR LF. Output is passed on in fixed-size pieces, so
// memory stays the same whatever the number of points.
class DxfWriter
{
public:
    explicit DxfWriter(QIODevice &device);
    ~DxfWriter();

    void writePrologue();
    // name: the label's name in the ANSI code page; x, y, z: decimal texts.
    // The label stands at the point's x and y and shows the name, and the
    // height when labelHeight (a point without one is drawn at z 0, unlabelled).
    void writePoint(QByteArrayView name, QByteArrayView x, QByteArrayView y, QByteArrayView z,
                    bool labelHeight = true);
    void writeEpilogue();

    // $DWGCODEPAGE for the ANSI code page the names are written in: "ANSI_936"
    // for GBK, "ANSI_950" for Big5, "ANSI_1252" for Windows-1252 and pages R12 cannot name.
    static QByteArray drawingCodePage(QByteArrayView pageName);

    // The layered drawing: points, name labels and elevation labels on the
    // layers POINT, NAME and ELEVATION, the labels beside their point.
    static constexpr double kTextHeight = 1.0;
    // Height of the labels in drawing units, kTextHeight unless set; the
    // layered drawing's label offsets scale with it.
    void setTextHeight(double height);
    double textHeight() const { return m_textHeight; }
    void writeLayeredPrologue();
    // x, y: the point's coordinates as numbers, for placing the labels;
    // xText, yText, zText: its "%.4f" texts. An empty name writes no name label.
    // Without labelHeight (the file has no height) no elevation label is written.
    void writeLayeredPoint(QByteArrayView name, double x, double y, QByteArrayView xText,
                           QByteArrayView yText, QByteArrayView zText, bool labelHeight = true);

    // Hands what is buffered to the device; false once any write has failed.
    bool flush();
    QString errorString() const;

private:
    // Header, line types, layerTable, text styles, the start of the entities.
    void writeFrame(QByteArrayView layerTable);
    void append(QByteArrayView bytes);
    void appendLine(QByteArrayView value);

    QIODevice &m_device;
    QByteArray m_buffer;
    QByteArray m_heightText;
    double m_textHeight = kTextHeight;
    bool m_failed = false;
};
