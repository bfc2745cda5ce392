#pragma once

#include <QString>

// Language.txt decides the interface language at start-up: only the first
// five bytes of its first line count, compared exactly.
namespace LanguageFile {

constexpr const char *kFileName = "Language.txt";

// 1 (Chinese) when the first line begins with "Chine", else 0 (English);
// a missing or unreadable file gives 0 silently.
int readUiLanguage(const QString &folder);

// First line of the file, at most 99 bytes, without its line feed.
QByteArray readFirstLine(const QString &path);

} // namespace LanguageFile
