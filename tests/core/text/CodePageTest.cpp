// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/CodePage.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QString>

namespace {

// Sets the locale and override variables for one test and puts them back.
class Environment
{
public:
    Environment()
    {
        for (const char *var : kVars) {
            m_saved.append(qgetenv(var));
            m_wasSet.append(qEnvironmentVariableIsSet(var));
            qunsetenv(var);
        }
    }
    ~Environment()
    {
        for (int i = 0; i < int(std::size(kVars)); ++i) {
            if (m_wasSet[i])
                qputenv(kVars[i], m_saved[i]);
            else
                qunsetenv(kVars[i]);
        }
        CodePage::configure(false);
    }

private:
    static constexpr const char *kVars[] = {"LC_ALL", "LC_CTYPE", "LANG", "RQTCOM_ANSI_CODEPAGE",
                                            "RQTCOM_OEM_CODEPAGE"};
    QList<QByteArray> m_saved;
    QList<bool> m_wasSet;
};

QByteArray pair()
{
    return CodePage::ansi().name() + '/' + CodePage::oem().name();
}

} // namespace

TEST(CodePageSelection, languageOfTheLocaleChoosesThePair)
{
    struct Case
    {
        const char *locale;
        const char *ansi;
        const char *oem;
    } cases[] = {
        {"zh_CN.UTF-8", "GBK", "GBK"},           {"zh_SG", "GBK", "GBK"},
        {"zh_TW.UTF-8", "CP950", "CP950"},       {"zh_HK.Big5-HKSCS", "CP950", "CP950"},
        {"ja_JP.UTF-8", "CP932", "CP932"},       {"ko_KR.EUC-KR", "CP949", "CP949"},
        {"de_DE.UTF-8@euro", "CP1252", "CP437"}, {"en_US", "CP1252", "CP437"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CodePage::pageForLocale(c.locale, true, false), c.ansi) << c.locale;
        EXPECT_EQ(CodePage::pageForLocale(c.locale, true, true), c.oem) << c.locale;
    }
}

TEST(CodePageSelection, cOrPosixLocaleFollowsTheUiLanguage)
{
    for (const char *locale : {"", "C", "POSIX", "C.UTF-8"}) {
        EXPECT_EQ(CodePage::pageForLocale(locale, true, false), "GBK") << locale;
        EXPECT_EQ(CodePage::pageForLocale(locale, true, true), "GBK") << locale;
        EXPECT_EQ(CodePage::pageForLocale(locale, false, false), "CP1252") << locale;
        EXPECT_EQ(CodePage::pageForLocale(locale, false, true), "CP437") << locale;
    }
}

#ifndef Q_OS_WIN
TEST(CodePageSelection, lcAllThenLcCtypeThenLangDecide)
{
    Environment env;
    qputenv("LANG", "ja_JP.UTF-8");
    CodePage::configure(false);
    EXPECT_EQ(pair(), "CP932/CP932");
    qputenv("LC_CTYPE", "ko_KR.UTF-8");
    CodePage::configure(false);
    EXPECT_EQ(pair(), "CP949/CP949");
    qputenv("LC_ALL", "zh_TW.UTF-8");
    CodePage::configure(false);
    EXPECT_EQ(pair(), "CP950/CP950");
    qputenv("LC_ALL", "C");
    CodePage::configure(true);
    EXPECT_EQ(pair(), "GBK/GBK");
}

TEST(CodePageSelection, environmentOverridesEachPageAndIgnoresUnknownNames)
{
    Environment env;
    qputenv("LANG", "en_GB.UTF-8");
    qputenv("RQTCOM_ANSI_CODEPAGE", "936");
    qputenv("RQTCOM_OEM_CODEPAGE", "windows-1252");
    CodePage::configure(false);
    EXPECT_EQ(pair(), "GBK/CP1252");
    qputenv("RQTCOM_ANSI_CODEPAGE", "no-such-page");
    qputenv("RQTCOM_OEM_CODEPAGE", "");
    CodePage::configure(false);
    EXPECT_EQ(pair(), "CP1252/CP437");
}
#endif

TEST(CodePageConversion, chineseNamesSurviveARoundTripInGbkAndBig5)
{
    const QString name = QStringLiteral("测点A1");
    const CodePage gbk = CodePage::byName("GBK");
    const QByteArray bytes = gbk.encode(name);
    EXPECT_EQ(bytes, QByteArray("\xB2\xE2\xB5\xE3"
                                "A1"));
    EXPECT_EQ(gbk.decode(bytes), name);

    const QString traditional = QStringLiteral("測點");
    const CodePage big5 = CodePage::byName("CP950");
    EXPECT_EQ(big5.encode(traditional).size(), 4);
    EXPECT_EQ(big5.decode(big5.encode(traditional)), traditional);
}

TEST(CodePageConversion, unmappableCharactersBecomeOneQuestionMarkEach)
{
    const CodePage latin = CodePage::byName("1252");
    EXPECT_EQ(latin.encode(QStringLiteral("Ab测€é")), QByteArray("Ab?\x80\xE9"));
    // A character outside the BMP is one character, one '?'.
    EXPECT_EQ(latin.encode(QStringLiteral("x\U0001F600y")), QByteArray("x?y"));
    const CodePage gbk = CodePage::byName("GBK");
    EXPECT_EQ(gbk.encode(QStringLiteral("点\U0001F600한")), QByteArray("\xB5\xE3??"));
    // A lone surrogate is broken text, still no abort.
    EXPECT_EQ(gbk.encode(QString(QChar(0xD800)) + QLatin1Char('z')), QByteArray("?z"));
}

TEST(CodePageConversion, bytesThatAreNoCharacterDecodeToReplacementWithoutStopping)
{
    const CodePage gbk = CodePage::byName("GBK");
    // 0xFF is no lead byte; a lead byte at the very end has no trail.
#ifdef Q_OS_WIN
    // Windows' own table: 0xFF is U+F8F5 there, a cut-off lead byte '?'.
    EXPECT_EQ(gbk.decode(QByteArray("a\xFF"
                                    "b\xB5")),
              QStringLiteral("a\uF8F5b?"));
#else
    EXPECT_EQ(gbk.decode(QByteArray("a\xFF"
                                    "b\xB5")),
              QStringLiteral("a\uFFFDb\uFFFD"));
#endif
    const CodePage latin = CodePage::byName("CP1252");
    EXPECT_EQ(latin.decode(QByteArray("\x81\xE9")), QStringLiteral("\u0081é"));
    EXPECT_EQ(latin.encode(QStringLiteral("\u0081é")), QByteArray("\x81\xE9"));
}

TEST(CodePageConversion, oemPage437KeepsItsBoxDrawingCharacters)
{
    const CodePage oem = CodePage::byName("437");
    EXPECT_EQ(oem.decode(QByteArray("\xC9\xCD")), QStringLiteral("╔═"));
    EXPECT_EQ(oem.encode(QStringLiteral("╔é")), QByteArray("\xC9\x82"));
}

TEST(CodePageConversion, unknownNameIsReportedAndFallsBackToWindows1252)
{
    bool ok = true;
    const CodePage page = CodePage::byName("surely-not-a-page", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(page.name(), "CP1252");
    CodePage::byName("cp932", &ok);
    EXPECT_TRUE(ok);
}
