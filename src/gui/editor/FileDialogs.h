// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// What the user chose in a file dialog.
struct FileChoice
{
    bool accepted = false;
    QString path;
    int fileTypeEntry = 0; // 1 for the first entry of the file-type list
};

// The open and save dialogs of the editor and the converter. File-type lists
// are written as "Text|pattern|Text|pattern||", the entries' order counting.
// The dialogs are application-modal QFileDialogs with an object name, so tests
// answer them like a user would.
class FileDialogs
{
public:
    static QStringList nameFilters(const QString &typeList);

    // startAt: a file (its folder is shown and, when saving, its name offered)
    // or a folder; empty: the folder last used in any file dialog.
    static FileChoice openFile(QWidget *parent, const QString &typeList, const QString &objectName,
                               const QString &startAt = QString());
    // Asks before replacing an existing file unless confirmOverwrite is false.
    static FileChoice saveFile(QWidget *parent, const QString &typeList,
                               const QString &defaultSuffix, const QString &objectName,
                               bool confirmOverwrite = true, const QString &startAt = QString());

    // Native dialogs cannot be answered from a test; tests switch them off.
    static void setNativeDialogsAllowed(bool allowed);

private:
    static FileChoice run(QWidget *parent, const QString &typeList, bool save,
                          const QString &defaultSuffix, const QString &objectName,
                          bool confirmOverwrite, const QString &startAt);
};
