// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/protocol/EngineHarness.h"
#include "tests/support/TestSupport.h"

#include <QFile>

namespace {

const QString kRoad1 = QStringLiteral("道路1");

struct EncodedName
{
    NameEncoding::Choice choice;
    QByteArray bytes; // "道路1" as the instrument stores it
};

const EncodedName kChineseNames[] = {
    {NameEncoding::Gbk, QByteArray::fromHex("b5c0c2b731")},
    {NameEncoding::Big5, QByteArray::fromHex("b944b8f431")},
    {NameEncoding::Utf8, QByteArray::fromHex("e98193e8b7af31")},
};

class JobNameEncoding : public testing::Test
{
protected:
    JobNameEncoding() : h(WireParams{EndMark::CrLf, false}) {}

    // Connected to an instrument whose job 3 carries name; 25 lines of
    // coordinates are ready for a download.
    void connectWithJob3(const QByteArray &name)
    {
        QList<QByteArray> lines;
        for (int i = 1; i <= 2; ++i)
            lines.append("*11" + QByteArray::number(1000 + i) +
                         "+0000000000000001 81..00+0000000000123456 82..00+0000000000654321 "
                         "83..00+0000000000001234 ");
        h.instrument.coordinates[3] = lines;
        h.instrument.directory[2] = name + ",GSI16,2,0";
        h.instrument.directory[11] = ",x,0,0";
        h.connect();
    }

    testsupport::ScopedCLocale locale;
    QTemporaryDir dir;
    EngineHarness h;
};

} // namespace

TEST_F(JobNameEncoding, chineseNamesReadRightInTheChosenEncodingWhateverTheLocale)
{
    for (const EncodedName &name : kChineseNames) {
        SCOPED_TRACE(NameEncoding::key(name.choice).toStdString());
        EngineHarness engine(WireParams{EndMark::CrLf, false});
        engine.settings.JobNameEncoding = name.choice;
        engine.instrument.directory[2] = name.bytes + ",GSI16,2,0";
        engine.connect();
        EXPECT_EQ(engine.engine.jobTable().JobNames.at(2), kRoad1);
        // The counts after the name are still where they belong.
        QString error;
        EXPECT_EQ(engine.engine.jobTable().coordinateCount(2, &error), 2) << error.toStdString();
    }
#ifndef Q_OS_WIN
    // What the C locale's own pages make of the same bytes: not the name.
    // (On Windows the system's code page decides, which a test cannot set.)
    connectWithJob3(kChineseNames[0].bytes);
    EXPECT_NE(h.engine.jobTable().JobNames.at(2), kRoad1);
#endif
}

TEST_F(JobNameEncoding, theDownloadedFileIsNamedWithTheDecodedName)
{
    h.settings.JobNameEncoding = NameEncoding::Gbk;
    connectWithJob3(kChineseNames[0].bytes);
    DownloadRequest r;
    r.jobNumber = 3;
    r.folder = dir.path();
    r.fileName = h.engine.jobTable().JobNames.at(2); // the dialog's proposal
    ASSERT_TRUE(h.engine.prepareDownload());
    h.converse();
    {
        QFile probe(dir.filePath(kRoad1 + QStringLiteral(".probe")));
        if (!probe.open(QIODevice::WriteOnly))
            GTEST_SKIP() << "this file system takes no such name: "
                         << qPrintable(probe.errorString());
        probe.remove();
    }
    const QString refused = h.engine.startDownload(r);
    ASSERT_TRUE(refused.isEmpty()) << qPrintable(refused);
    h.engine.tick();
    h.converse();
    const QString expected = dir.filePath(kRoad1 + QStringLiteral(".gsi"));
    EXPECT_EQ(ConversationEngine::downloadFilePath(r), expected);
    EXPECT_TRUE(QFile::exists(expected));
    EXPECT_EQ(testsupport::readAll(expected).count('\n'), 2);
}

TEST_F(JobNameEncoding, aNewJobNameIsSentInTheChosenEncoding)
{
    for (const EncodedName &name : kChineseNames) {
        SCOPED_TRACE(NameEncoding::key(name.choice).toStdString());
        EngineHarness engine(WireParams{EndMark::CrLf, false});
        engine.settings.JobNameEncoding = name.choice;
        engine.instrument.directory[11] = ",x,0,0";
        engine.connect();
        const QString file = dir.filePath(QStringLiteral("up.gsi"));
        testsupport::writeAll(file, "*110001+0000000000000001 81..00+0000000000123456 "
                                    "82..00+0000000000654321 83..00+0000000000001234 \r\n");
        ASSERT_TRUE(engine.engine.prepareUpload());
        engine.converse();
        const int before = engine.sentCount();
        UploadRequest r;
        r.jobNumber = 12;
        r.filePath = file;
        r.newJobName = kRoad1;
        ASSERT_EQ(engine.engine.startUpload(r), QString());
        engine.engine.tick();
        engine.converse();
        const QList<QByteArray> sent = engine.commands(before);
        EXPECT_TRUE(sent.contains("JOB/SET/" + name.bytes + "/12"));
    }
}

TEST_F(JobNameEncoding, aNameTheChosenEncodingCannotHoldIsRefusedAndNothingIsSent)
{
    EXPECT_FALSE(ConversationEngine::jobNameError(kRoad1, NameEncoding::Windows1252).isEmpty());
    EXPECT_FALSE(
        ConversationEngine::jobNameError(QStringLiteral("ก1"), NameEncoding::Gbk).isEmpty());
    EXPECT_TRUE(ConversationEngine::jobNameError(kRoad1, NameEncoding::Gbk).isEmpty());
    EXPECT_TRUE(
        ConversationEngine::jobNameError(QStringLiteral("ก1"), NameEncoding::Utf8).isEmpty());
#ifndef Q_OS_WIN
    // A C locale's own pages hold no Chinese either, as before.
    EXPECT_FALSE(ConversationEngine::jobNameError(kRoad1, NameEncoding::Automatic).isEmpty());
#endif

    h.settings.JobNameEncoding = NameEncoding::Windows1252;
    connectWithJob3("ROAD");
    const QString file = dir.filePath(QStringLiteral("up.gsi"));
    testsupport::writeAll(file, "*110001+0000000000000001 81..00+0000000000123456 "
                                "82..00+0000000000654321 83..00+0000000000001234 \r\n");
    ASSERT_TRUE(h.engine.prepareUpload());
    h.converse();
    const int before = h.sentCount();
    UploadRequest r;
    r.jobNumber = 12;
    r.filePath = file;
    r.newJobName = kRoad1;
    EXPECT_FALSE(h.engine.startUpload(r).isEmpty());
    h.engine.tick();
    h.converse();
    EXPECT_TRUE(h.commands(before).isEmpty());
}

TEST_F(JobNameEncoding, theLengthLimitCountsTheChosenEncodingsBytes)
{
    // 160 Chinese characters: 320 bytes in GBK, 480 in UTF-8.
    const QString name(160, QChar(0x9053));
    EXPECT_TRUE(ConversationEngine::jobNameError(name, NameEncoding::Gbk).isEmpty());
    const QString error = ConversationEngine::jobNameError(name, NameEncoding::Utf8);
    EXPECT_TRUE(error.contains(QStringLiteral("480"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("159 Chinese"))) << error.toStdString();
}
