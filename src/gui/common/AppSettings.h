// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;
struct CommSettings;

// What the program remembers between runs: the folder last used in a file
// dialog, the port settings and the windows' places. Stored with QSettings
// under the organisation and application names main() sets.
class AppSettings
{
public:
    static QString lastFolder();
    static void setLastFolder(const QString &folder);

    // Puts the window where it was when saveGeometry() last ran for key;
    // false when nothing was stored.
    static bool restoreGeometry(QWidget *window, const QString &key);
    static void saveGeometry(const QWidget *window, const QString &key);

    // Baud rate, end mark and name encoding as the user last confirmed them;
    // the port itself comes from the discovery each time. A stored value that
    // is no choice (a hand-edited file) gives the default; nothing stored
    // leaves the settings as they are. The reply terminator follows the end mark.
    static void loadComm(CommSettings &settings);
    static void saveComm(const CommSettings &settings);
};
