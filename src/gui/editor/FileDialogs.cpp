// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/FileDialogs.h"

#include "gui/common/AppSettings.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {
bool g_nativeDialogsAllowed = true;
}

QStringList FileDialogs::nameFilters(const QString &typeList)
{
    // "GSI file(*.gsi)|*.gsi|ORB(*.orb)|*.orb||": the texts already carry their
    // patterns in brackets, which is the form Qt's dialogs read.
    const QStringList parts = typeList.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts.at(i).isEmpty())
            break;
        filters.append(parts.at(i));
    }
    return filters;
}

FileChoice FileDialogs::openFile(QWidget *parent, const QString &typeList,
                                 const QString &objectName, const QString &startAt)
{
    return run(parent, typeList, false, QString(), objectName, false, startAt);
}

FileChoice FileDialogs::saveFile(QWidget *parent, const QString &typeList,
                                 const QString &defaultSuffix, const QString &objectName,
                                 bool confirmOverwrite, const QString &startAt)
{
    return run(parent, typeList, true, defaultSuffix, objectName, confirmOverwrite, startAt);
}

void FileDialogs::setNativeDialogsAllowed(bool allowed)
{
    g_nativeDialogsAllowed = allowed;
}

FileChoice FileDialogs::run(QWidget *parent, const QString &typeList, bool save,
                            const QString &defaultSuffix, const QString &objectName,
                            bool confirmOverwrite, const QString &startAt)
{
    QFileDialog dialog(parent);
    const QFileInfo start(startAt.isEmpty() ? AppSettings::lastFolder() : startAt);
    if (start.isDir()) {
        dialog.setDirectory(start.absoluteFilePath());
    } else if (!startAt.isEmpty() && start.dir().exists()) {
        dialog.setDirectory(start.absolutePath());
        if (save)
            dialog.selectFile(start.fileName());
    }
    dialog.setObjectName(objectName);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setOption(QFileDialog::DontUseNativeDialog, !g_nativeDialogsAllowed);
    const QStringList filters = nameFilters(typeList);
    dialog.setNameFilters(filters);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }

    FileChoice choice;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return choice;
    choice.accepted = true;
    choice.path = dialog.selectedFiles().constFirst();
    AppSettings::setLastFolder(QFileInfo(choice.path).absolutePath());
    choice.fileTypeEntry = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return choice;
}
