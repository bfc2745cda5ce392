#pragma once

#include <QString>

// Texts of the GSI to DXF converter in the language UiLanguage selects.
struct ConverterTexts
{
    QString caption;
    QString openLabel;
    QString browse;
    QString fontHeightLabel;
    QString ok;
    QString cancel;
    QString sameFile;    // %1: the file chosen as both input and output
    QString writeFailed; // %1: file name, %2: reason

    static ConverterTexts forLanguage(int uiLanguage);
    static QString gsiFileTypes();
    static QString dxfFileTypes();
};
