// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Captions shared by the download and upload dialogs, and the new-name
// dialog's, in the language UiLanguage selects.
struct TransferTexts
{
    QString caption, from, to, fileName, dataType, ok, cancel;
    QString newFileCaption, newFilePrompt;

    static TransferTexts forLanguage(int uiLanguage)
    {
        if (uiLanguage == 1)
            return {QStringLiteral("文件下载..."),
                    QStringLiteral("从:"),
                    QStringLiteral("到:"),
                    QStringLiteral("文件名:"),
                    QStringLiteral("数据格式:"),
                    QStringLiteral("确定"),
                    QStringLiteral("取消"),
                    QStringLiteral("新建文件"),
                    QStringLiteral("请输入新的文件名:")};
        return {QStringLiteral("File Down..."),
                QStringLiteral("From:"),
                QStringLiteral("To:"),
                QStringLiteral("File Name:"),
                QStringLiteral("Data Type:"),
                QStringLiteral("OK"),
                QStringLiteral("CANCEL"),
                QStringLiteral("New File"),
                QStringLiteral("Please input new file name:")};
    }
};
