// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dxf/DxfWriter.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>

TEST(DxfWriter, drawingWithoutPointsIsThePrologueAndEpilogue)
{
    const testsupport::ScopedAnsiCodePage page("CP1252"); // the golden file's
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        DxfWriter writer(buffer);
        writer.writePrologue();
        writer.writeEpilogue();
        EXPECT_TRUE(writer.flush());
    }
    EXPECT_EQ(bytes, testsupport::readAll(testsupport::dataPath("dxf/empty.dxf")));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_TRUE(bytes.startsWith("0\r\nSECTION\r\n2\r\nHEADER\r\n9\r\n$ACADVER\r\n1\r\nAC1009\r\n"
                                 "9\r\n$DWGCODEPAGE\r\n3\r\nANSI_"));
    EXPECT_TRUE(bytes.endsWith("EOF\r\n"));
    // Every table says how many entries it holds, the line type comes first.
    EXPECT_TRUE(bytes.contains("2\r\nLTYPE\r\n70\r\n1\r\n0\r\nLTYPE\r\n2\r\nCONTINUOUS\r\n"));
    EXPECT_LT(bytes.indexOf("2\r\nLTYPE"), bytes.indexOf("2\r\nLAYER"));
    EXPECT_TRUE(bytes.contains("2\r\nLAYER\r\n70\r\n6\r\n"));
    EXPECT_TRUE(bytes.contains("2\r\nSTYLE\r\n70\r\n1\r\n0\r\nSTYLE\r\n2\r\nSTANDARD\r\n"));
}

TEST(DxfWriter, theCodePageIsNamedAsR12ReadersKnowIt)
{
    EXPECT_EQ(DxfWriter::drawingCodePage("GBK"), "ANSI_936");
    EXPECT_EQ(DxfWriter::drawingCodePage("CP950"), "ANSI_950");
    EXPECT_EQ(DxfWriter::drawingCodePage("BIG5"), "ANSI_950");
    EXPECT_EQ(DxfWriter::drawingCodePage("CP1252"), "ANSI_1252");
    EXPECT_EQ(DxfWriter::drawingCodePage("windows-1250"), "ANSI_1250");
    EXPECT_EQ(DxfWriter::drawingCodePage("CP932"), "ANSI_932");
    EXPECT_EQ(DxfWriter::drawingCodePage("ISO-8859-1"), "ANSI_1252");
}

TEST(DxfWriter, entityPairCarriesPointLabelAndFixedHeight)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    DxfWriter writer(buffer);
    writer.writePoint("PT7", "1.0000", "2.0000", "12.3450");
    writer.flush();
    EXPECT_EQ(bytes, "POINT\r\n8\r\nPOINT\r\n10\r\n1.0000\r\n20\r\n2.0000\r\n30\r\n12.3450\r\n"
                     "0\r\nTEXT\r\n8\r\nANNOTATION\r\n10\r\n1.0000\r\n20\r\n2.0000\r\n"
                     "40\r\n1.000000\r\n50\r\n0.000000\r\n1\r\nPT7  12.3450\r\n0\r\n");
}

TEST(DxfWriter, theTextHeightChosenIsTheLabelsAndTheLayeredOffsetsScaleWithIt)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    DxfWriter writer(buffer);
    writer.setTextHeight(2.5);
    writer.writePoint("PT7", "1.0000", "2.0000", "12.3450");
    writer.flush();
    EXPECT_EQ(bytes, "POINT\r\n8\r\nPOINT\r\n10\r\n1.0000\r\n20\r\n2.0000\r\n30\r\n12.3450\r\n"
                     "0\r\nTEXT\r\n8\r\nANNOTATION\r\n10\r\n1.0000\r\n20\r\n2.0000\r\n"
                     "40\r\n2.500000\r\n50\r\n0.000000\r\n1\r\nPT7  12.3450\r\n0\r\n");

    bytes.clear();
    buffer.seek(0);
    writer.setTextHeight(2.0);
    writer.writeLayeredPoint("PT7", 10.0, 20.0, "10.0000", "20.0000", "5.0000");
    writer.flush();
    // Name half a height right and 0.3 up, the elevation 1.3 down: in metres, doubled.
    EXPECT_TRUE(bytes.contains("NAME\r\n10\r\n11.0000\r\n20\r\n20.6000\r\n40\r\n2.0000\r\n"))
        << bytes.constData();
    EXPECT_TRUE(bytes.contains("ELEVATION\r\n10\r\n11.0000\r\n20\r\n17.4000\r\n40\r\n2.0000\r\n"))
        << bytes.constData();
}

TEST(DxfWriter, aPointWithoutHeightIsLabelledWithItsNameOnly)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    DxfWriter writer(buffer);
    writer.writePoint("PT7", "1.0000", "2.0000", "0.0000", false);
    writer.flush();
    EXPECT_TRUE(bytes.endsWith("1\r\nPT7\r\n0\r\n")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("30\r\n0.0000\r\n"));
}

TEST(DxfWriter, writeFailureIsReported)
{
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    DxfWriter writer(readOnly);
    writer.writePrologue();
    EXPECT_FALSE(writer.flush());
}
