// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/text/NameEncoding.h"

#include <QStringList>

#include <array>
#include <optional>

// How commands end on the wire; a reply is complete at the mark's last byte.
enum class EndMark { CrLf, Cr };

// Line settings of the link to the instrument, a value: the engine copies it
// when a conversation starts. At start the speed and end mark are the
// instrument's defaults; the manager restores what the user last confirmed.
struct CommSettings
{
    // The speeds the instrument offers, in the order the dialogs list them.
    static constexpr std::array<int, 4> kBaudRates = {19200, 9600, 4800, 1200};
    // A speed no entry of the table: the line keeps the speed it has.
    static constexpr int kKeepLineSpeed = 0;

    int PortNumber = 0; // COM1..COM16 as 1..16; 0: not yet known
    int BaudRate = kBaudRates[0];
    EndMark CommandEnd = EndMark::CrLf;
    // Decodes the job names of the directory and encodes new ones.
    NameEncoding::Choice JobNameEncoding = NameEncoding::Automatic;

    // The last byte of a complete reply: LF after CR LF, CR after CR.
    char replyTerminator() const { return CommandEnd == EndMark::Cr ? '\r' : '\n'; }

    // Position of rate in kBaudRates, or -1.
    static int baudIndex(int rate);
    static bool isListedBaudRate(int rate) { return baudIndex(rate) >= 0; }
    // The table as texts ("19200", ...), for the dialog's box and the command line.
    static QStringList baudRateTexts();
    // The listed rate a text names exactly, or kKeepLineSpeed.
    static int baudRateFromText(const QString &text);
    // "crlf" / "cr", the end mark's name on the command line and in the settings file.
    static QString endMarkKey(EndMark mark);
    static std::optional<EndMark> endMarkFromKey(const QString &key);
};
