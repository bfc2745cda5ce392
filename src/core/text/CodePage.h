// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>

// The 8-bit code pages files and the instrument use. "ANSI" is the code page of
// coordinate files and DXF drawings, "OEM" the one of job names sent to the
// instrument. On Windows they are the system's; elsewhere the pair Windows would
// use for the user's locale (RQTCOM_ANSI_CODEPAGE / RQTCOM_OEM_CODEPAGE override).
class CodePage
{
public:
    static const CodePage &ansi();
    static const CodePage &oem();

    // Chooses the pair again from the environment; chineseUi is the language
    // choice of Language.txt, used only when the locale is C or POSIX.
    static void configure(bool chineseUi);

    // A code page by name: "GBK", "CP950", "CP932", "CP949", "CP1252", "CP437",
    // a Windows code page number ("936", "1252") or, off Windows, any name
    // iconv knows. Returns false in *ok (and Windows-1252) for an unknown name.
    static CodePage byName(QByteArrayView name, bool *ok = nullptr);

    // The name of the page Windows would use for a POSIX locale name such as
    // "zh_TW.UTF-8"; an empty, "C" or "POSIX" locale gives GBK when chineseUi,
    // else Windows-1252 / CP437.
    static QByteArray pageForLocale(QByteArrayView locale, bool chineseUi, bool oemPage);

    // Unmappable characters become '?'; never fails.
    QByteArray encode(QStringView text) const;
    // Bytes that are no character of the page become U+FFFD; never fails.
    QString decode(QByteArrayView bytes) const;
    QByteArray name() const;

    class Impl;

private:
    explicit CodePage(std::shared_ptr<const Impl> impl) : m_impl(std::move(impl)) {}

    std::shared_ptr<const Impl> m_impl;
};
