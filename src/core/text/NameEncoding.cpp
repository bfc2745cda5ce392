// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/NameEncoding.h"

namespace {

const char *const kKeys[NameEncoding::kChoiceCount] = {"auto", "gbk", "big5", "windows-1252",
                                                       "utf-8"};

// The fixed pages are built once; Automatic follows CodePage::configure().
const CodePage &fixedPage(NameEncoding::Choice choice)
{
    static const CodePage gbk = CodePage::byName("GBK");
    static const CodePage big5 = CodePage::byName("CP950");
    static const CodePage western = CodePage::byName("CP1252");
    static const CodePage utf8 = CodePage::byName("UTF-8");
    switch (choice) {
    case NameEncoding::Gbk:
        return gbk;
    case NameEncoding::Big5:
        return big5;
    case NameEncoding::Utf8:
        return utf8;
    case NameEncoding::Windows1252:
    case NameEncoding::Automatic:
        break;
    }
    return western;
}

} // namespace

QString NameEncoding::key(Choice choice)
{
    const int index = int(choice);
    return QLatin1String(kKeys[index >= 0 && index < kChoiceCount ? index : 0]);
}

QStringList NameEncoding::keys()
{
    QStringList all;
    for (const char *k : kKeys)
        all << QLatin1String(k);
    return all;
}

std::optional<NameEncoding::Choice> NameEncoding::fromKey(QStringView key)
{
    const QString wanted = key.trimmed().toString();
    for (int i = 0; i < kChoiceCount; ++i) {
        if (wanted.compare(QLatin1String(kKeys[i]), Qt::CaseInsensitive) == 0)
            return Choice(i);
    }
    return std::nullopt;
}

std::optional<NameEncoding::Choice> NameEncoding::fromIndex(int index)
{
    if (index < 0 || index >= kChoiceCount)
        return std::nullopt;
    return Choice(index);
}

const CodePage &NameEncoding::readPage(Choice choice)
{
    return choice == Automatic ? CodePage::ansi() : fixedPage(choice);
}

const CodePage &NameEncoding::writePage(Choice choice)
{
    return choice == Automatic ? CodePage::oem() : fixedPage(choice);
}
