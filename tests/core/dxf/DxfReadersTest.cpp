// SPDX-License-Identifier: GPL-3.0-or-later
// The drawings checked by three DXF readers that share no code with rqtcom:
// ezdxf (reading and its audit), GDAL's ogrinfo and LibreCAD. Each check skips
// only where its reader is not installed.
#include "core/dxf/GsiToDxf.h"
#include "core/text/CodePage.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString python()
{
    // Debian's interpreter, where python3-ezdxf lives, even under a pyenv shim.
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

struct ToolRun
{
    bool started = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun run(const QString &program, const QStringList &args)
{
    ToolRun r;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    r.started = p.waitForStarted(30000);
    if (!r.started || !p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

bool haveEzdxf()
{
    return run(python(), {QStringLiteral("-c"), QStringLiteral("import ezdxf")}).exitCode == 0;
}

// Points in mm and 1/100 mm, one without a height, one with a negative easting.
const QByteArray kGsi = "*110001+00000000000000K1 81..00+0000000000100000 82..00+0000000000200000"
                        " 83..00+0000000000012345 \r\n"
                        "*110002+00000000000000K2 81..08-0000000012345678 82..08+0000000000050000"
                        " 83..08+---------------- \r\n"
                        "110003+000000K3 81..00+00001000 82..00+00002000\r\n";

class DxfReaders : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_gsi = m_dir.filePath(QStringLiteral("p.gsi"));
        m_dxf = m_dir.filePath(QStringLiteral("p.dxf"));
        ASSERT_TRUE(testsupport::writeAll(m_gsi, kGsi));
        ASSERT_TRUE(GsiToDxf::convert(m_gsi, m_dxf, GsiToDxf::MissingInput::Refuse).ok);
    }

    QTemporaryDir m_dir;
    QString m_gsi;
    QString m_dxf;
};

} // namespace

TEST_F(DxfReaders, ezdxfReadsEveryEntityAndItsAuditFindsNoError)
{
    if (!haveEzdxf())
        GTEST_SKIP() << "python3-ezdxf is not installed";
    const ToolRun r = run(python(), {QStringLiteral(RQT_DXF_CHECK_SCRIPT), m_dxf});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.left(r.out.indexOf("LAYERS")),
              "POINT POINT 100.0000 200.0000 12.3450\n"
              "TEXT ANNOTATION 100.0000 200.0000 1.0 [K1  12.3450]\n"
              "POINT POINT -123.4568 0.5000 0.0000\n"
              "TEXT ANNOTATION -123.4568 0.5000 1.0 [K2]\n"
              "POINT POINT 1.0000 2.0000 0.0000\n"
              "TEXT ANNOTATION 1.0000 2.0000 1.0 [K3]\n");
    EXPECT_TRUE(r.out.contains("\nHEADER AC1009 ANSI_")) << r.out.constData();
    EXPECT_TRUE(r.out.endsWith("\nAUDIT 0\n")) << r.out.constData() << r.err.constData();
    // The finer unit keeps its decimals in the drawing.
    EXPECT_TRUE(testsupport::readAll(m_dxf).contains("10\r\n-123.45678\r\n"));
}

TEST_F(DxfReaders, chineseNamesOfAGbkDrawingReadBackInEzdxf)
{
    if (!haveEzdxf())
        GTEST_SKIP() << "python3-ezdxf is not installed";
    const testsupport::ScopedAnsiCodePage gbk("GBK");
    const QString gsi = m_dir.filePath(QStringLiteral("cn.gsi"));
    const QString dxf = m_dir.filePath(QStringLiteral("cn.dxf"));
    // 测点1 in GBK, right-aligned in the name block.
    ASSERT_TRUE(testsupport::writeAll(gsi,
                                      "110001+000\xB2\xE2\xB5\xE3"
                                      "1 81..00+00001000 82..00+00002000 83..00+00003000\r\n"));
    ASSERT_TRUE(GsiToDxf::convert(gsi, dxf, GsiToDxf::MissingInput::Refuse).ok);
    EXPECT_TRUE(testsupport::readAll(dxf).contains("$DWGCODEPAGE\r\n3\r\nANSI_936\r\n"));
    const ToolRun r = run(python(), {QStringLiteral(RQT_DXF_CHECK_SCRIPT), dxf});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(QString::fromUtf8(r.out).contains(QStringLiteral("[测点1  3.0000]")))
        << r.out.constData();
    EXPECT_TRUE(r.out.endsWith("\nAUDIT 0\n")) << r.out.constData();
}

TEST_F(DxfReaders, ogrinfoCountsEveryPointAndEveryText)
{
    const QString ogrinfo = QStandardPaths::findExecutable(QStringLiteral("ogrinfo"));
    if (ogrinfo.isEmpty())
        GTEST_SKIP() << "gdal-bin is not installed";
    const ToolRun r = run(ogrinfo, {QStringLiteral("-al"), QStringLiteral("-q"), m_dxf});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.count("OGRFeature(entities)"), 6) << r.out.constData();
    EXPECT_EQ(r.out.count("POINT Z ("), 3) << r.out.constData();
    EXPECT_EQ(r.out.count("Text (String) = "), 3) << r.out.constData();
    EXPECT_TRUE(r.out.contains("Text (String) = K1  12.3450")) << r.out.constData();
}

TEST_F(DxfReaders, libreCadRendersTheDrawing)
{
    const QString librecad = QStandardPaths::findExecutable(QStringLiteral("librecad"));
    if (librecad.isEmpty())
        GTEST_SKIP() << "librecad is not installed";
    const QString pdf = m_dir.filePath(QStringLiteral("p.pdf"));
    const ToolRun r = run(librecad, {QStringLiteral("dxf2pdf"), QStringLiteral("-a"),
                                 QStringLiteral("-o"), pdf, m_dxf});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QByteArray bytes = testsupport::readAll(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF")) << r.err.constData();
    EXPECT_GT(bytes.size(), 500);
}
