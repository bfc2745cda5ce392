// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A one-line progress bar on standard error, drawn only when standard error is
// a terminal, so scripts and logs get clean output.
class ProgressBar
{
public:
    explicit ProgressBar(const QString &label);
    ~ProgressBar();

    // total <= 0: the end is unknown, only the count is shown.
    void update(int done, int total);
    // Ends the bar's line; later updates draw nothing.
    void finish();

    // The bar's text for a state, without the leading carriage return.
    static QString render(const QString &label, int done, int total, int width = 30);

private:
    QString m_label;
    bool m_enabled = false;
    bool m_drawn = false;
};
