#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

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

    // Unmappable characters become '?'; never fails.
    QByteArray encode(QStringView text) const;
    QString decode(QByteArrayView bytes) const;
    QByteArray name() const;
};
