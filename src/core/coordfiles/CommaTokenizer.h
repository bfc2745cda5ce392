// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

// Splits a delimited line at ',' the way every delimited format reads it:
// consecutive commas count as one separator and a leading or trailing comma
// yields no token, so empty fields vanish and later fields move forward. Tokens
// keep their blanks. A layout that separates by another character (a blank)
// passes it as separator.
class CommaTokenizer
{
public:
    // Fills tokens[0..maxTokens) with the first tokens of line; positions past the
    // last token are empty. Returns how many tokens were found (at most maxTokens).
    static int split(QByteArrayView line, QByteArrayView *tokens, int maxTokens,
                     char separator = ',');

    // As split, with any run of blanks and tabs as one separator.
    static int splitBlanks(QByteArrayView line, QByteArrayView *tokens, int maxTokens);

    // When line holds exactly fieldCount fields (fieldCount - 1 commas), fills
    // tokens with them by position and returns true. An empty field stays in its
    // place as an empty, non-null view; tokens past the last are null (missing).
    static bool splitFields(QByteArrayView line, QByteArrayView *tokens, int fieldCount,
                            char separator = ',');
};
