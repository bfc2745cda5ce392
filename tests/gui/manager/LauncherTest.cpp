// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/about/ProgramInfo.h"
#include "core/state/AppState.h"
#include "gui/app/LanguageFile.h"
#include "gui/app/LauncherDialog.h"
#include "gui/common/Translations.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct LanguageCase
{
    const char *name;
    QByteArray content;
    int expected;
};

class LanguageFileTest : public ::testing::TestWithParam<LanguageCase>
{
};

TEST_P(LanguageFileTest, firstFiveBytesDecide)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("Language.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(GetParam().content);
    f.close();
    EXPECT_EQ(LanguageFile::readUiLanguage(dir.path()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageFileTest,
    ::testing::Values(LanguageCase{"chinese", "Chinese\r\nEnglish\r\n", 1},
                      LanguageCase{"fiveBytesOnly", "Chine", 1},
                      LanguageCase{"english", "English\n", 0},
                      LanguageCase{"lowerCase", "chinese\n", 0},
                      LanguageCase{"leadingBlank", " Chinese\n", 0},
                      LanguageCase{"utf8Bom",
                                   "\xEF\xBB\xBF"
                                   "Chinese\n",
                                   0},
                      LanguageCase{"china", "China\n", 0}, LanguageCase{"empty", "", 0},
                      LanguageCase{"secondLine", "\nChinese\n", 0},
                      LanguageCase{"longLine", "Chinese" + QByteArray(300, 'x') + "\n", 1},
                      LanguageCase{"longNonsense", QByteArray(300, 'C') + "\n", 0}),
    [](const ::testing::TestParamInfo<LanguageCase> &info) { return info.param.name; });

TEST(LanguageFile, missingFileGivesEnglish)
{
    QTemporaryDir dir;
    EXPECT_EQ(LanguageFile::readUiLanguage(dir.path()), 0);
}

TEST(LanguageFile, firstLineIsCutAt99Bytes)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("Language.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(150, 'a') + "\nsecond");
    f.close();
    EXPECT_EQ(LanguageFile::readFirstLine(f.fileName()).size(), 99);
}

// Runs the launcher with a given working directory, as the real start does.
class LauncherTest : public ::testing::Test
{
protected:
    void SetUp() override { m_saved = QDir::currentPath(); }
    void TearDown() override
    {
        QDir::setCurrent(m_saved);
        Translations::install(QString()); // the launcher installed the file's language
    }
    void writeLanguage(const QTemporaryDir &dir, const QByteArray &content)
    {
        QFile f(dir.filePath("Language.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QString m_saved;
};

TEST_F(LauncherTest, readsTheWorkingDirectoryOnly)
{
    QTemporaryDir withFile, without;
    writeLanguage(withFile, "Chinese\n");
    ASSERT_TRUE(QDir::setCurrent(without.path()));
    AppState state;
    state.UiLanguage = 1; // the launcher decides anew
    LauncherDialog english(state, {});
    EXPECT_EQ(state.UiLanguage, 0);
    EXPECT_EQ(english.exitButton()->text(), "EXIT");

    ASSERT_TRUE(QDir::setCurrent(withFile.path()));
    LauncherDialog chinese(state, {});
    EXPECT_EQ(state.UiLanguage, 1);
    EXPECT_EQ(chinese.exitButton()->text(), "退出");
    const QString caption = QStringLiteral("RQT300_COM V") + ProgramInfo::version();
    EXPECT_EQ(chinese.windowTitle(), caption);
    EXPECT_EQ(english.windowTitle(), caption);
}

TEST_F(LauncherTest, toolsWithoutWindowsStayDisabledAndTheManagerButtonOpensTheManager)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    AppState state;
    int opened = 0;
    LauncherDialog::Tools tools;
    tools.openManager = [&opened](QWidget *) {
        ++opened;
    };
    LauncherDialog launcher(state, tools);
    EXPECT_TRUE(launcher.managerButton()->isEnabled());
    EXPECT_FALSE(launcher.editorButton()->isEnabled());
    EXPECT_FALSE(launcher.converterButton()->isEnabled());
    launcher.managerButton()->click();
    EXPECT_EQ(opened, 1);
}

TEST_F(LauncherTest, picturesAreNeverClipped)
{
    QTemporaryDir dir;
    writeLanguage(dir, "Chinese");
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    AppState state;
    LauncherDialog launcher(state, {});
    launcher.adjustSize();
    EXPECT_EQ(launcher.managerButton()->iconSize(), QSize(177, 58));
    EXPECT_EQ(launcher.editorButton()->iconSize(), QSize(177, 60));
    EXPECT_EQ(launcher.converterButton()->iconSize(), QSize(184, 65));
    for (QPushButton *b :
         {launcher.managerButton(), launcher.editorButton(), launcher.converterButton()}) {
        EXPECT_GE(b->width(), b->iconSize().width());
        EXPECT_GE(b->height(), b->iconSize().height());
        EXPECT_FALSE(b->icon().isNull());
    }
}

TEST_F(LauncherTest, theWholeTitleFitsInTheTitleBar)
{
    for (const QByteArray &language : {QByteArray("English"), QByteArray("Chinese")}) {
        QTemporaryDir dir;
        writeLanguage(dir, language);
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        AppState state;
        LauncherDialog launcher(state, {});
        launcher.show();
        // The title in bold, an icon and three title-bar buttons beside it.
        QFont bold = QApplication::font("QMdiSubWindowTitleBar");
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        const int needed = metrics.horizontalAdvance(launcher.windowTitle()) + 4 * metrics.height();
        EXPECT_GE(launcher.width(), needed) << language.constData();
        EXPECT_GE(launcher.minimumWidth(), needed) << language.constData();
    }
}

} // namespace
