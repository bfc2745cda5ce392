// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ProgressBar.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

ProgressBar::ProgressBar(const QString &label)
    : m_label(label), m_enabled(isatty(fileno(stderr)) != 0)
{
}

ProgressBar::~ProgressBar()
{
    finish();
}

QString ProgressBar::render(const QString &label, int done, int total, int width)
{
    if (total <= 0)
        return QStringLiteral("%1 %2 lines").arg(label).arg(done);
    const int shown = qBound(0, done, total);
    const int filled = int(qint64(shown) * width / total);
    return QStringLiteral("%1 [%2%3] %4/%5")
        .arg(label, QString(filled, QLatin1Char('#')), QString(width - filled, QLatin1Char('.')))
        .arg(done)
        .arg(total);
}

void ProgressBar::update(int done, int total)
{
    if (!m_enabled)
        return;
    const QByteArray line = '\r' + render(m_label, done, total).toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
    m_drawn = true;
}

void ProgressBar::finish()
{
    if (m_drawn)
        std::fputc('\n', stderr);
    m_drawn = false;
    m_enabled = false;
}
