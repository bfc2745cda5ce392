// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/text/CodePage.h"

#include <QMutex>

#include <vector>

// The platform side of a code page: Win32 conversions on Windows, glibc iconv
// elsewhere. Single-byte pages are turned into tables once, so only the
// multi-byte pages pay for iconv (and its lock) per call.
class CodePage::Impl
{
public:
    // Returns null when the platform does not know the page.
    static std::shared_ptr<Impl> create(const QByteArray &name);
    ~Impl();

    QByteArray encode(QStringView text) const;
    QString decode(QByteArrayView bytes) const;

    QByteArray m_name;
    bool m_asciiCompatible = false; // bytes 0..127 are ASCII both ways

private:
    Impl() = default;

#ifdef Q_OS_WIN
    unsigned m_windowsPage = 0;
#else
    bool buildSingleByteTables();
    QByteArray encodeIconv(QStringView text) const;
    QString decodeIconv(QByteArrayView bytes) const;

    bool m_singleByte = false;
    char16_t m_toUnicode[256] = {};
    std::vector<unsigned char> m_fromUnicode; // 0: unmappable (U+0000 is handled apart)
    void *m_encoder = nullptr;                // iconv_t, used under m_lock
    void *m_decoder = nullptr;
    mutable QMutex m_lock;
#endif
};
