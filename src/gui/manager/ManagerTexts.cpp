// SPDX-License-Identifier: GPL-3.0-or-later
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

ManagerMessages ManagerMessages::forLanguage(int uiLanguage)
{
    ManagerMessages m;
    if (uiLanguage == 1) {
        m.chooseFolderFirst = QStringLiteral("请先在电脑一侧选择文件夹。");
        m.enterFileName = QStringLiteral("请输入文件名。");
        m.fileNameNamesFolder = QStringLiteral("文件名不能指向其他文件夹：%1");
        m.chooseDataType = QStringLiteral("请从列表中选择数据格式。");
        m.replaceFile = QStringLiteral("%1 已存在，是否替换？");
        m.downloadRefused = QStringLiteral("无法下载：%1");
        m.uploadRefused = QStringLiteral("无法上传：%1");
        m.enterJobName = QStringLiteral("请输入作业名。");
        m.jobNameBadChars = QStringLiteral("作业名不能包含“/”、“,”或控制字符。");
        m.jobNameRefused = QStringLiteral("作业名无效：%1");
        m.selectJobFirst = QStringLiteral("请先在仪器目录中选择一个作业。");
        m.eraseQuestion = QStringLiteral("确定要删除仪器上 %1 的坐标吗？");
        m.eraseRefused = QStringLiteral("无法删除：%1");
        m.cannotDelete = QStringLiteral("%1 不能删除。");
        m.deleteFolderQuestion = QStringLiteral("确定要删除文件夹 %1 及其中的 %2 项内容吗？");
        m.deleteFailed = QStringLiteral("以下内容无法删除：\n%1");
        m.pathMissing = QStringLiteral("%1 不存在。");
        m.isProgram = QStringLiteral("%1 是可执行程序，不能在此打开。");
        m.openPortReason = QStringLiteral("原因：%1");
        m.linkLost = QStringLiteral("与仪器的连接已断开：%1\n请双击端口重新连接。");
        m.transferFailed = QStringLiteral("传输失败：%1");
        m.transferIncomplete = QStringLiteral("传输未完成：%1");
        m.linkLostDuringTransfer = QStringLiteral("与仪器的连接已断开。%1\n请双击端口重新连接。");
        m.connectFirst = QStringLiteral("请先双击端口连接仪器。");
        m.closeConnectedQuestion = QStringLiteral("与仪器的连接仍然打开。关闭连接并退出管理器吗？");
        return m;
    }
    m.chooseFolderFirst = QStringLiteral("Please choose a folder on the PC side first.");
    m.enterFileName = QStringLiteral("Please enter a file name.");
    m.fileNameNamesFolder = QStringLiteral("The file name must not name another folder: %1");
    m.chooseDataType = QStringLiteral("Please choose a data type from the list.");
    m.replaceFile = QStringLiteral("%1 already exists. Replace it?");
    // The engine's reasons are whole English sentences already.
    m.downloadRefused = QStringLiteral("%1");
    m.uploadRefused = QStringLiteral("%1");
    m.enterJobName = QStringLiteral("Please enter a job name.");
    m.jobNameBadChars =
        QStringLiteral("A job name must not hold \"/\", \",\" or control characters.");
    m.jobNameRefused = QStringLiteral("%1");
    m.selectJobFirst = QStringLiteral("Please select a job in the instrument tree first.");
    m.eraseQuestion = QStringLiteral("Erase the coordinates of %1 on the instrument?");
    m.eraseRefused = QStringLiteral("%1");
    m.cannotDelete = QStringLiteral("%1 cannot be deleted.");
    m.deleteFolderQuestion = QStringLiteral("Delete the folder %1 and the %2 entries it holds?");
    m.deleteFailed = QStringLiteral("Could not delete:\n%1");
    m.pathMissing = QStringLiteral("%1 does not exist.");
    m.isProgram = QStringLiteral("%1 is a program; it is not opened from here.");
    m.openPortReason = QStringLiteral("%1");
    m.linkLost = QStringLiteral("The connection to the instrument was lost: %1\n"
                                "Double-click the port to connect again.");
    m.transferFailed = QStringLiteral("%1");
    m.transferIncomplete = QStringLiteral("%1");
    m.linkLostDuringTransfer = QStringLiteral("%1\nDouble-click the port to connect again.");
    m.connectFirst = QStringLiteral("Connect to the instrument first: double-click the port.");
    m.closeConnectedQuestion =
        QStringLiteral("A connection to the instrument is open. Close it and the manager?");
    return m;
}
