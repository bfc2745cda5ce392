// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/CassLine.h"
#include "core/protocol/ConversationEngine.h"
#include "core/protocol/DownloadWriter.h"
#include "core/protocol/SafeFileName.h"
#include "core/protocol/UploadReader.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SafeFileName, separatorsForbiddenAndControlCharactersBecomeUnderscores)
{
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("ROAD1")), QStringLiteral("ROAD1"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("a/b\\c:d*e?f\"g<h>i|j")),
              QStringLiteral("a_b_c_d_e_f_g_h_i_j"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("a\tb\x01")), QStringLiteral("a_b_"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("<empty>")), QStringLiteral("_empty_"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("道路一")), QStringLiteral("道路一"));
}

TEST(SafeFileName, dotNamesAndWindowsDeviceNamesCannotEscapeOrMisfire)
{
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("..")), QStringLiteral("_"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral(".")), QStringLiteral("_"));
    EXPECT_EQ(SafeFileName::fromName(QString()), QStringLiteral("_"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("job. ")), QStringLiteral("job"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral(".hidden")), QStringLiteral("_hidden"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("CON")), QStringLiteral("_CON"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("nul.txt")), QStringLiteral("_nul.txt"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("com7")), QStringLiteral("_com7"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("COM10")), QStringLiteral("COM10"));
    EXPECT_EQ(SafeFileName::fromName(QStringLiteral("CONTOUR")), QStringLiteral("CONTOUR"));
}

TEST(DownloadFilePath, extensionFollowsTheDataType)
{
    DownloadRequest r;
    r.folder = QStringLiteral("/data");
    r.fileName = QStringLiteral("ROAD");
    EXPECT_EQ(ConversationEngine::downloadFilePath(r), QStringLiteral("/data/ROAD.gsi"));
    r.format = DownloadFormat::Idex;
    EXPECT_EQ(ConversationEngine::downloadFilePath(r), QStringLiteral("/data/ROAD.idex"));
    r.format = DownloadFormat::Cass;
    EXPECT_EQ(ConversationEngine::downloadFilePath(r), QStringLiteral("/data/ROAD.dat"));
    r.dataKind = DataKind::Observations;
    EXPECT_EQ(ConversationEngine::downloadFilePath(r), QStringLiteral("/data/ROAD.gsi"));
}

TEST(TransferKinds, formatsFollowTheDialogsListAndTheCommandLinesNames)
{
    EXPECT_EQ(TransferKinds::downloadFormatAt(0), DownloadFormat::Gsi);
    EXPECT_EQ(TransferKinds::downloadFormatAt(1), DownloadFormat::Idex);
    EXPECT_EQ(TransferKinds::downloadFormatAt(2), DownloadFormat::Cass);
    EXPECT_FALSE(TransferKinds::downloadFormatAt(-1));
    EXPECT_FALSE(TransferKinds::downloadFormatAt(3));
    for (const DownloadFormat f : {DownloadFormat::Gsi, DownloadFormat::Idex, DownloadFormat::Cass})
        EXPECT_EQ(TransferKinds::downloadFormatFromKey(TransferKinds::downloadFormatKey(f)), f);
    EXPECT_EQ(TransferKinds::downloadFormatFromKey(QStringLiteral("CASS")), DownloadFormat::Cass);
    EXPECT_FALSE(TransferKinds::downloadFormatFromKey(QStringLiteral("dat")));
    // Observations are GSI whatever format a request carries.
    EXPECT_EQ(TransferKinds::downloadExtension(DataKind::Observations, DownloadFormat::Cass),
              QStringLiteral(".gsi"));
    EXPECT_EQ(TransferKinds::downloadExtension(DataKind::FixPoints, DownloadFormat::Idex),
              QStringLiteral(".idex"));
}

TEST(DownloadWriter, rawLineLosesOnlyItsOwnLineEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.gsi");
    DownloadWriter writer;
    ASSERT_TRUE(writer.open(path, false));
    EXPECT_FALSE(QFile::exists(path)); // nothing under the name until the end
    writer.appendRawLine("ABC \r\n");
    writer.appendRawLine("DEF \r");
    writer.appendRawLine("G\n");
    writer.appendRawLine("\r");
    ASSERT_TRUE(writer.commit());
    EXPECT_EQ(testsupport::readAll(path), QByteArray("ABC \r\nDEF \r\nG\r\n\r\n"));
}

TEST(DownloadWriter, discardedDownloadLeavesTheFolderAsItWas)
{
    QTemporaryDir dir;
    {
        DownloadWriter writer;
        ASSERT_TRUE(writer.open(dir.filePath("a.gsi"), false));
        writer.appendRawLine("ABC\r\n");
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(JobName, namesTheInstrumentCannotTakeAreRefused)
{
    EXPECT_TRUE(ConversationEngine::jobNameError(QStringLiteral("NEW")).isEmpty());
    EXPECT_TRUE(ConversationEngine::jobNameError(QStringLiteral("ROAD 2")).isEmpty());
    EXPECT_FALSE(ConversationEngine::jobNameError(QString()).isEmpty());
    EXPECT_FALSE(ConversationEngine::jobNameError(QStringLiteral("A/B")).isEmpty());
    EXPECT_FALSE(ConversationEngine::jobNameError(QStringLiteral("A,B")).isEmpty());
    EXPECT_FALSE(ConversationEngine::jobNameError(QStringLiteral("A\nB")).isEmpty());
}

namespace {

UploadReader::FileCheck check(const QByteArray &content, bool strict,
                              const QString &name = QStringLiteral("job1.gsi"))
{
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    testsupport::writeAll(path, content);
    return UploadReader::checkFile(path, strict);
}

} // namespace

TEST(UploadFileCheck, firstLineDecidesTheForm)
{
    using C = UploadReader::FileCheck;
    const QByteArray gsi16 = "*" + QByteArray(96, '0');
    EXPECT_EQ(check(gsi16 + "\r\n", true), C::Accepted);        // 98 with the CR
    EXPECT_EQ(check(gsi16 + "0\r\n", true), C::WrongFirstLine); // 99, and no point in it
    // The extension in any case: "JOB1.GSI" from a memory stick is a GSI file.
    EXPECT_EQ(check(gsi16 + "\r\n", true, QStringLiteral("job1.GSI")), C::Accepted);
    EXPECT_EQ(check(gsi16, true, QStringLiteral("job1")), C::NotGsi);
    EXPECT_EQ(check(gsi16, true, QStringLiteral("job1.txt")), C::NotGsi);

    const QByteArray gsi8 = "11" + QByteArray(61, '0') + " ";
    const QByteArray gsi8Loose = "12" + QByteArray(61, '0') + " ";
    EXPECT_EQ(check(gsi8 + "\r\n", true), C::Accepted);
    EXPECT_EQ(check(gsi8Loose + "\r\n", true), C::WrongFirstLine);
    EXPECT_EQ(check(gsi8Loose + "\r\n", false), C::Accepted);
    EXPECT_EQ(check("", false), C::WrongFirstLine);
}

namespace {

UploadReader::Inspection inspect(const QByteArray &content, const QString &name)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    testsupport::writeAll(path, content);
    return UploadReader::inspect(path, true);
}

QByteArrayList sentLines(const QByteArray &content, const QString &name)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    testsupport::writeAll(path, content);
    UploadReader reader;
    QByteArrayList lines;
    if (!reader.open(path))
        return lines;
    for (;;) {
        const UploadReader::Next next = reader.next();
        if (next.status != UploadReader::Next::Status::Line)
            return lines;
        lines << next.bytes;
    }
}

const QByteArray kUploadLine16 = "*110012+0000000000000012 81..00+0000000000100000"
                                 " 82..00+0000000000200000 83..00-0000000000001500 ";

} // namespace

TEST(UploadFileCheck, aGsiFileKeepingTheLineRulesIsSentByteForByte)
{
    const QByteArray file = kUploadLine16 + "\r\n" + kUploadLine16 + "\r\n";
    const UploadReader::Inspection i = inspect(file, QStringLiteral("a.gsi"));
    EXPECT_EQ(i.check, UploadReader::FileCheck::Accepted);
    EXPECT_FALSE(i.converted);
    EXPECT_EQ(i.lines, 2);
    EXPECT_EQ(sentLines(file, QStringLiteral("a.gsi")),
              QByteArrayList({kUploadLine16, kUploadLine16}));
}

TEST(UploadFileCheck, otherCoordinateFilesAreSentAsGsi16LinesOfTheirPoints)
{
    const QByteArray line1 = "*11....+00000000000000K1 81..10+0000000000500000 "
                             "82..10+0000000004100000 83..10+0000000000012000 ";
    const QByteArray line2 = "*11....+00000000000000K2 81..10+0000000000600000 "
                             "82..10+0000000004100500 83..10+0000000000000000 ";
    // A SOUTH file: name, code, E, N, H; K2 has no elevation.
    const QByteArray south = "K1,,500,4100,12\r\nK2,,600,4100.5,\r\n";
    UploadReader::Inspection i = inspect(south, QStringLiteral("p.dat"));
    EXPECT_EQ(i.check, UploadReader::FileCheck::Accepted);
    EXPECT_TRUE(i.converted);
    EXPECT_EQ(i.lines, 2);
    EXPECT_TRUE(i.note.endsWith(QStringLiteral("rows 2"))) << qPrintable(i.note);
    EXPECT_EQ(sentLines(south, QStringLiteral("p.dat")), QByteArrayList({line1, line2}));

    // A GSI file in a form the line rules refuse: a code block between points.
    const QByteArray gsi = "110001+000000K1 81..00+00500000 82..00+04100000 83..00+00012000\r\n"
                           "410002+00000017 42....+000CURB1 \r\n";
    i = inspect(gsi, QStringLiteral("k.gsi"));
    EXPECT_EQ(i.check, UploadReader::FileCheck::Accepted);
    EXPECT_TRUE(i.converted);
    EXPECT_EQ(sentLines(gsi, QStringLiteral("k.gsi")), QByteArrayList({line1}));
}

// The instrument's coordinate line has no word for a code: the user is told
// which points lose theirs before anything is sent, and the lines are the same.
TEST(UploadFileCheck, codesThatCannotBeSentAreNamedBeforeTheUpload)
{
    const QByteArray csv = "Name,Code,East,North,Elevation\r\n"
                           "K1,TREE,500,4100,12\r\nK2,,600,4100.5,0\r\nK3,POLE,700,4101,1\r\n";
    UploadReader::Inspection i = inspect(csv, QStringLiteral("p.csv"));
    ASSERT_EQ(i.check, UploadReader::FileCheck::Accepted);
    EXPECT_EQ(i.codesNotSent, 2);
    EXPECT_TRUE(i.note.contains(QStringLiteral("codes of 2 points are not sent")))
        << qPrintable(i.note);
    EXPECT_TRUE(i.note.contains(QStringLiteral("rows 1, 3"))) << qPrintable(i.note);
    const QByteArrayList lines = sentLines(csv, QStringLiteral("p.csv"));
    ASSERT_EQ(lines.size(), 3);
    for (const QByteArray &line : lines)
        EXPECT_EQ(line.size(), UploadReader::kGsi16Length);

    i = inspect("K1,TR,500,4100,12\r\n", QStringLiteral("p.dat"));
    EXPECT_EQ(i.codesNotSent, 1);
    i = inspect("K1,,500,4100,12\r\n", QStringLiteral("q.dat"));
    EXPECT_EQ(i.codesNotSent, 0);
    EXPECT_FALSE(i.note.contains(QStringLiteral("code"))) << qPrintable(i.note);
}

TEST(UploadFileCheck, valuesThatWouldBeSentAsZeroOrFeetRefuseTheUpload)
{
    UploadReader::Inspection i =
        inspect("1,K1,4100,500,12\r\n2,K2,4100,1e9,12\r\n", QStringLiteral("far.orb"));
    EXPECT_EQ(i.check, UploadReader::FileCheck::Refused);
    EXPECT_TRUE(i.reason.contains(QStringLiteral("row 2: easting 1e9"))) << qPrintable(i.reason);
    EXPECT_TRUE(
        sentLines("1,K1,4100,500,12\r\n2,K2,4100,1e9,12\r\n", QStringLiteral("far.orb")).isEmpty());

    i = inspect("110001+0000F001 81..01+00328084 82..01+00656168 83..01+00003281 \r\n"
                "410002+00000017 42....+000CURB1 \r\n",
                QStringLiteral("feet.gsi"));
    EXPECT_EQ(i.check, UploadReader::FileCheck::Refused);
    EXPECT_TRUE(i.reason.contains(QStringLiteral("feet"))) << qPrintable(i.reason);
}

TEST(UploadFileCheck, aMissingFileOrAFolderIsToldApartFromAWrongFile)
{
    EXPECT_EQ(UploadReader::checkFile(QStringLiteral("/nonexistent/x.gsi"), false),
              UploadReader::FileCheck::Missing);
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.gsi")));
    EXPECT_EQ(UploadReader::checkFile(dir.filePath(QStringLiteral("folder.gsi")), false),
              UploadReader::FileCheck::NotAFile);
}

// name,code,E,N,H: the order rqtcom's SOUTH reader takes; the earlier order
// (northing first) only when asked for.
TEST(CassLine, gsi8LinePutsTheEastingFirstUnlessTheNorthingIsAskedFirst)
{
    const auto cass =
        CassLine::fromGsiLine("110001+00000012 81..00+00123456 82..00+00654321 83..00+00001234 ");
    ASSERT_TRUE(cass);
    EXPECT_EQ(*cass, QByteArray("12,,123.456,654.321,1.234\r\n"));
    EXPECT_EQ(
        CassLine::fromGsiLine("110001+00000012 81..00+00123456 82..00+00654321 83..00+00001234 ",
                              CassLine::Columns::NorthingFirst),
        QByteArray("12,,654.321,123.456,1.234\r\n"));
    // The closing blank may be missing.
    EXPECT_EQ(CassLine::fromGsiLine("110001+00000012 81..00+00123456 82..00+00654321 "
                                    "83..00+00001234"),
              cass);
}

TEST(CassLine, gsi16LineHonoursTheSignAndStripsTheNamesZeros)
{
    const auto cass = CassLine::fromGsiLine("*110001+00000000000P0012 81..00-0000000000123456 "
                                            "82..00+0000000000654321 83..00-0000000000001234 ");
    ASSERT_TRUE(cass);
    EXPECT_EQ(*cass, QByteArray("P0012,,-123.456,654.321,-1.234\r\n"));
    const auto zeros = CassLine::fromGsiLine("*110001+0000000000000000 81..00+0000000000000000 "
                                             "82..00+0000000000000000 83..00+0000000000000000 ");
    ASSERT_TRUE(zeros);
    EXPECT_EQ(*zeros, QByteArray(",,0.000,0.000,0.000\r\n"));
}

TEST(CassLine, theUnitDecidesTheDecimalsAndAnyPointLineIsConverted)
{
    // 1/10 mm, no closing blank, a fifth word: the same reading as the editor's.
    EXPECT_EQ(CassLine::fromGsiLine("*110001+0000000000000K12 81..06+0000000065639031 "
                                    "82..06+0000000012345678 83..06-0000000000001234 "
                                    "87..10+0000000000001500"),
              QByteArray("K12,,6563.9031,1234.5678,-0.1234\r\n"));
    // No value stays empty; a station line is no point.
    EXPECT_EQ(CassLine::fromGsiLine("110002+00000012 81..00+00123456 82..00+00654321 "
                                    "83..00+--------"),
              QByteArray("12,,123.456,654.321,\r\n"));
    EXPECT_FALSE(CassLine::fromGsiLine("110001+0000ST01 84..10+00100000 85..10+00200000 "));
}

TEST(CassLine, lineOfAnyOtherLengthGivesNothing)
{
    EXPECT_FALSE(CassLine::fromGsiLine(""));
    EXPECT_FALSE(CassLine::fromGsiLine(QByteArray(65, '1')));
    EXPECT_FALSE(CassLine::fromGsiLine(QByteArray(98, '*')));
}
