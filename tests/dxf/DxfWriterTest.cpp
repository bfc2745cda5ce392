#include "dxf/DxfWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>

TEST(DxfWriter, drawingWithoutPointsIsTheEightySixLinesOfPrologueAndEpilogue)
{
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
    EXPECT_EQ(bytes.count("\r\n"), 86);
    EXPECT_EQ(bytes.count('\n'), 86);
    EXPECT_TRUE(bytes.endsWith("EOF\r\n"));
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

TEST(DxfWriter, writeFailureIsReported)
{
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    DxfWriter writer(readOnly);
    writer.writePrologue();
    EXPECT_FALSE(writer.flush());
}
