// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/CommaTokenizer.h"

int CommaTokenizer::split(QByteArrayView line, QByteArrayView *tokens, int maxTokens,
                          char separator)
{
    const char *p = line.data();
    const char *const end = p + line.size();
    int found = 0;
    while (found < maxTokens) {
        while (p < end && *p == separator)
            ++p;
        if (p == end)
            break;
        const char *start = p;
        while (p < end && *p != separator)
            ++p;
        tokens[found++] = QByteArrayView(start, p - start);
    }
    for (int i = found; i < maxTokens; ++i)
        tokens[i] = QByteArrayView();
    return found;
}

int CommaTokenizer::splitBlanks(QByteArrayView line, QByteArrayView *tokens, int maxTokens)
{
    const auto blank = [](char c) {
        return c == ' ' || c == '\t';
    };
    const char *p = line.data();
    const char *const end = p + line.size();
    int found = 0;
    while (found < maxTokens) {
        while (p < end && blank(*p))
            ++p;
        if (p == end)
            break;
        const char *start = p;
        while (p < end && !blank(*p))
            ++p;
        tokens[found++] = QByteArrayView(start, p - start);
    }
    for (int i = found; i < maxTokens; ++i)
        tokens[i] = QByteArrayView();
    return found;
}

bool CommaTokenizer::splitFields(QByteArrayView line, QByteArrayView *tokens, int fieldCount,
                                 char separator)
{
    if (line.count(separator) != fieldCount - 1)
        return false;
    const char *p = line.data();
    const char *const end = p + line.size();
    for (int i = 0; i < fieldCount; ++i) {
        const char *start = p;
        while (p < end && *p != separator)
            ++p;
        tokens[i] = QByteArrayView(start, p - start);
        ++p; // past the comma
    }
    return true;
}
