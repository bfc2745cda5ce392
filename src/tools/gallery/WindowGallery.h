// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>

struct AppState;
class QWidget;

// Every window and dialog of the program, each made by a factory in a given
// language, so they can be rendered to pictures for review. Each area adds
// its own windows through one add...Windows function (AppGallery.cpp, ManagerGallery.cpp,
// EditorGallery.cpp).
class WindowGallery
{
public:
    // Builds the window; the language's translation is installed while it runs
    // (state.UiLanguage is set to match). The gallery owns and deletes it.
    using Factory = std::function<QWidget *(AppState &state)>;
    struct Entry
    {
        QString name;
        Factory make;
    };

    void add(const QString &name, Factory make) { m_entries.append({name, std::move(make)}); }
    const QList<Entry> &entries() const { return m_entries; }

    // Renders every entry in English and in each built-in translation as
    // DIR/<name>_en.png, <name>_zh.png, ...; returns the files written.
    QStringList renderAll(const QString &folder) const;

    // The program's full catalogue.
    static WindowGallery catalog();

private:
    QList<Entry> m_entries;
};

// One per area; each adds that area's windows.
void addAppWindows(WindowGallery &gallery);
void addManagerWindows(WindowGallery &gallery);
void addEditorWindows(WindowGallery &gallery);
