// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/text/CodePage.h"

#include <QString>
#include <QStringList>

#include <optional>

// How the instrument's job names are turned into text and back. Chinese
// job names come as GBK or Big5 bytes whatever the PC's locale is, so the
// user may name the encoding instead of relying on the locale's code pages.
class NameEncoding
{
public:
    enum Choice {
        Automatic,   // the locale's pages: ANSI reads the directory, OEM names new jobs
        Gbk,         // simplified Chinese instruments
        Big5,        // traditional Chinese instruments
        Windows1252, // western European letters
        Utf8,
    };
    static constexpr int kChoiceCount = 5;

    // "auto", "gbk", "big5", "windows-1252", "utf-8": the spelling stored in
    // the settings and taken by the command line.
    static QString key(Choice choice);
    static QStringList keys();
    // Case-insensitive; nullopt for anything else.
    static std::optional<Choice> fromKey(QStringView key);
    // A stored int that is no choice gives nullopt.
    static std::optional<Choice> fromIndex(int index);

    // The page that decodes job names read from the instrument's directory.
    static const CodePage &readPage(Choice choice);
    // The page that encodes job names sent to the instrument.
    static const CodePage &writePage(Choice choice);
};
