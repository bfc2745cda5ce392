#include "ManagerTexts.h"

ManagerTexts ManagerTexts::forLanguage(int uiLanguage)
{
    ManagerTexts t;
    if (uiLanguage == 1) {
        t.caption = QStringLiteral("ORB数据交换管理器");
        t.fileMenu = QStringLiteral("文件");
        t.viewMenu = QStringLiteral("查看");
        t.optionsMenu = QStringLiteral("选项");
        t.helpMenu = QStringLiteral("帮助");
        t.move = QStringLiteral("移动");
        t.del = QStringLiteral("删除");
        t.rename = QStringLiteral("重命名");
        t.exit = QStringLiteral("退出");
        t.statusbar = QStringLiteral("状态栏");
        t.fileInfo = QStringLiteral("文件信息");
        t.portSettings = QStringLiteral("端口设置");
        t.about = QStringLiteral("关于...");
        t.copy = QStringLiteral("复制");
    } else {
        t.caption = QStringLiteral("ORB Data Exchange Manager");
        t.fileMenu = QStringLiteral("File");
        t.viewMenu = QStringLiteral("View");
        t.optionsMenu = QStringLiteral("Options");
        t.helpMenu = QStringLiteral("Help");
        t.move = QStringLiteral("Move");
        t.del = QStringLiteral("Delete");
        t.rename = QStringLiteral("Rename");
        t.exit = QStringLiteral("Exit");
        t.statusbar = QStringLiteral("Statusbar");
        t.fileInfo = QStringLiteral("File Info");
        t.portSettings = QStringLiteral("Port Settings");
        t.about = QStringLiteral("About...");
        t.copy = QStringLiteral("Copy");
    }
    t.popupMove = t.move;
    t.popupDelete = t.del;
    t.popupFileInfo = t.fileInfo;
    return t;
}
