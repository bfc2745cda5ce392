// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The interface language is a Qt Linguist translation installed once at start;
// windows only call tr() and never ask which language is in use. English is the
// source language, so "no translation" means English. The program's
// translations are built in from translations/rqtcom_<locale>.ts; a new .ts file
// is all a new language needs.
namespace Translations {

// Locale names of the built-in translations ("zh_CN", ...), sorted.
QStringList available();

// The translation a first line of Language.txt selects: its first five bytes
// must equal the start of the translation's language name in English
// ("Chinese" selects zh_CN). Empty (English) when none matches.
QString forLanguageLine(const QByteArray &line);

// Installs the program's translation for locale and Qt's own (standard
// buttons), replacing whatever was installed before; an empty locale leaves
// English. False when the program has no translation for locale.
bool install(const QString &locale);

// The locale installed last; empty for English.
QString installed();

// True when the installed translation is Chinese; code pages and the
// launcher's picture sizes depend on it.
bool isChinese();

// Installs a language for its lifetime and restores the previous one (tests,
// the window gallery).
class Scope
{
public:
    explicit Scope(const QString &locale);
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

private:
    QString m_previous;
};

} // namespace Translations
