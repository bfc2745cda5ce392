// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/Translations.h"
#include "core/state/AppState.h"
#include "gui/app/LauncherDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

class TranslationsTest : public ::testing::Test
{
protected:
    void TearDown() override { Translations::install(QString()); }
};

TEST_F(TranslationsTest, chineseIsBuiltInAndLanguageTxtNamesItInEnglish)
{
    EXPECT_TRUE(Translations::available().contains("zh_CN"));
    EXPECT_EQ(Translations::forLanguageLine("Chinese"), "zh_CN");
    EXPECT_EQ(Translations::forLanguageLine("Chine"), "zh_CN");
    // English is the source language, not a translation; unknown names fall back to it.
    EXPECT_EQ(Translations::forLanguageLine("English"), "");
    EXPECT_EQ(Translations::forLanguageLine("Klingon"), "");
    EXPECT_EQ(Translations::forLanguageLine("Chin"), "");
    EXPECT_EQ(Translations::forLanguageLine(""), "");
}

TEST_F(TranslationsTest, installingReplacesTheLanguageAndEnglishRemovesIt)
{
    ASSERT_TRUE(Translations::install("zh_CN"));
    EXPECT_TRUE(Translations::isChinese());
    EXPECT_EQ(QCoreApplication::translate("LauncherDialog", "EXIT"), "退出");
    ASSERT_TRUE(Translations::install("zh_CN")); // twice does not stack translators
    ASSERT_TRUE(Translations::install(QString()));
    EXPECT_FALSE(Translations::isChinese());
    EXPECT_EQ(QCoreApplication::translate("LauncherDialog", "EXIT"), "EXIT");

    EXPECT_FALSE(Translations::install("xx_XX"));
    EXPECT_EQ(Translations::installed(), "");
}

TEST_F(TranslationsTest, scopeRestoresTheLanguageBefore)
{
    Translations::install("zh_CN");
    {
        const Translations::Scope english{QString()};
        EXPECT_EQ(QCoreApplication::translate("LauncherDialog", "EXIT"), "EXIT");
    }
    EXPECT_EQ(Translations::installed(), "zh_CN");
    EXPECT_EQ(QCoreApplication::translate("LauncherDialog", "EXIT"), "退出");
}

TEST_F(TranslationsTest, qtsOwnButtonsAreChineseToo)
{
    if (!QFile::exists(
            QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath("qtbase_zh_CN.qm")))
        GTEST_SKIP() << "Qt's Chinese translation is not installed (qt6-translations-l10n)";
    Translations::install("zh_CN");
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), "取消");
}

// Every text of every language is translated: a text left unfinished would
// show in English inside an otherwise translated window.
TEST_F(TranslationsTest, everyTranslationIsFinished)
{
    const QString folder = QStringLiteral(RQT_SOURCE_DIR "/translations");
    QDirIterator files(folder, {"rqtcom_*.ts"}, QDir::Files);
    int count = 0;
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ++count;
        QXmlStreamReader xml(&file);
        QString context, source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"name") {
                context = xml.readElementText();
            } else if (xml.name() == u"source") {
                source = xml.readElementText();
            } else if (xml.name() == u"translation") {
                const bool unfinished = xml.attributes().value("type") == u"unfinished";
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                EXPECT_FALSE(unfinished || text.trimmed().isEmpty())
                    << qPrintable(file.fileName()) << ": " << qPrintable(context) << " \""
                    << qPrintable(source) << "\" is not translated";
            }
        }
        EXPECT_FALSE(xml.hasError())
            << qPrintable(file.fileName()) << ": " << qPrintable(xml.errorString());
    }
    EXPECT_GE(count, 1);
}

} // namespace
