#include "ConverterTexts.h"

ConverterTexts ConverterTexts::forLanguage(int uiLanguage)
{
    ConverterTexts t;
    t.caption = QStringLiteral("GSIToDXF");
    t.browse = QStringLiteral("...");
    if (uiLanguage == 1) {
        t.openLabel = QStringLiteral("打开GSI文件");
        t.fontHeightLabel = QStringLiteral("字体高度设置:");
        t.ok = QStringLiteral("确定");
        t.cancel = QStringLiteral("取消");
        t.sameFile = QStringLiteral("DXF 文件不能与 GSI 文件相同：%1");
        t.writeFailed = QStringLiteral("无法写入 %1：%2");
        return t;
    }
    t.openLabel = QStringLiteral("Open GSI file");
    t.fontHeightLabel = QStringLiteral("Font height setting:");
    t.ok = QStringLiteral("OK");
    t.cancel = QStringLiteral("CANCEL");
    t.sameFile = QStringLiteral("The DXF file cannot be the GSI file itself: %1");
    t.writeFailed = QStringLiteral("Cannot write %1: %2");
    return t;
}

QString ConverterTexts::gsiFileTypes()
{
    return QStringLiteral("GSI file(*.gsi)|*.gsi||");
}

QString ConverterTexts::dxfFileTypes()
{
    return QStringLiteral("DXF file(*.dxf)|*.dxf||");
}
