// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/NameEncoding.h"

#include <gtest/gtest.h>

TEST(NameEncoding, keysReadBackAndAnythingElseIsNoChoice)
{
    EXPECT_EQ(NameEncoding::keys(), QStringList({"auto", "gbk", "big5", "windows-1252", "utf-8"}));
    for (int i = 0; i < NameEncoding::kChoiceCount; ++i) {
        const auto choice = NameEncoding::Choice(i);
        EXPECT_EQ(NameEncoding::fromKey(NameEncoding::key(choice)), choice);
        EXPECT_EQ(NameEncoding::fromIndex(i), choice);
    }
    EXPECT_EQ(NameEncoding::fromKey(u" GBK "), NameEncoding::Gbk);
    EXPECT_EQ(NameEncoding::fromKey(u"UTF-8"), NameEncoding::Utf8);
    for (const char16_t *bad : {u"", u"gb2312", u"utf8", u"1252"})
        EXPECT_FALSE(NameEncoding::fromKey(bad).has_value());
    EXPECT_FALSE(NameEncoding::fromIndex(-1).has_value());
    EXPECT_FALSE(NameEncoding::fromIndex(NameEncoding::kChoiceCount).has_value());
}

TEST(NameEncoding, fixedChoicesUseOnePageBothWaysAndAutomaticTheLocalesPair)
{
    const QString road = QStringLiteral("道路1");
    EXPECT_EQ(NameEncoding::writePage(NameEncoding::Gbk).encode(road),
              QByteArray::fromHex("b5c0c2b731"));
    EXPECT_EQ(NameEncoding::readPage(NameEncoding::Big5).decode(QByteArray::fromHex("b944b8f431")),
              road);
    EXPECT_EQ(NameEncoding::readPage(NameEncoding::Windows1252).decode("\xe9t\xe9"),
              QStringLiteral("été"));
    EXPECT_EQ(NameEncoding::readPage(NameEncoding::Automatic).name(), CodePage::ansi().name());
    EXPECT_EQ(NameEncoding::writePage(NameEncoding::Automatic).name(), CodePage::oem().name());
}
