// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>
#include <memory>
#include <vector>

namespace Translations {

namespace {

constexpr const char *kFolder = ":/i18n";
constexpr const char *kPrefix = "rqtcom_";
constexpr int kSignificantBytes = 5;

// Qt's catalogues the program's texts meet: standard buttons and file errors
// (qtbase), serial port errors (qtserialport).
constexpr const char *kQtCatalogues[] = {"qtbase_", "qtserialport_"};

struct Installed
{
    QString locale;
    std::vector<std::unique_ptr<QTranslator>> translators;
};

Installed &current()
{
    static Installed installed;
    return installed;
}

// One of Qt's own catalogues: from Qt's folder, or from a translations folder
// beside the program where a deployment puts them.
std::unique_ptr<QTranslator> loadQtCatalogue(const QString &name)
{
    auto translator = std::make_unique<QTranslator>();
    for (const QString &folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QCoreApplication::applicationDirPath() + QStringLiteral("/translations")}) {
        if (translator->load(name, folder))
            return translator;
    }
    return nullptr;
}

} // namespace

QStringList available()
{
    QStringList locales;
    const QStringList files =
        QDir(QString::fromLatin1(kFolder))
            .entryList({QString::fromLatin1(kPrefix) + QStringLiteral("*.qm")}, QDir::Files);
    for (const QString &file : files)
        locales << file.mid(int(qstrlen(kPrefix))).chopped(3);
    std::sort(locales.begin(), locales.end());
    return locales;
}

QString forLanguageLine(const QByteArray &line)
{
    const QByteArray head = line.left(kSignificantBytes);
    if (head.isEmpty())
        return QString();
    for (const QString &locale : available()) {
        const QByteArray name = QLocale::languageToString(QLocale(locale).language()).toLatin1();
        if (name.left(kSignificantBytes) == head)
            return locale;
    }
    return QString();
}

bool install(const QString &locale)
{
    Installed &now = current();
    for (const auto &translator : now.translators)
        QCoreApplication::removeTranslator(translator.get());
    now.translators.clear();
    now.locale.clear();
    if (locale.isEmpty())
        return true;

    auto program = std::make_unique<QTranslator>();
    if (!program->load(QString::fromLatin1(kPrefix) + locale, QString::fromLatin1(kFolder)))
        return false;
    now.translators.push_back(std::move(program));
    for (const char *catalogue : kQtCatalogues) {
        // Missing ones leave Qt's texts English; the program's own still apply.
        if (auto qt = loadQtCatalogue(QString::fromLatin1(catalogue) + locale))
            now.translators.push_back(std::move(qt));
    }
    for (const auto &translator : now.translators)
        QCoreApplication::installTranslator(translator.get());
    now.locale = locale;
    return true;
}

QString installed()
{
    return current().locale;
}

bool isChinese()
{
    return !installed().isEmpty() && QLocale(installed()).language() == QLocale::Chinese;
}

Scope::Scope(const QString &locale) : m_previous(installed())
{
    install(locale);
}

Scope::~Scope()
{
    install(m_previous);
}

} // namespace Translations
