// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/GsiWord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

class CodePage;
class PointSource;
class QIODevice;

struct GsiWriteResult
{
    bool ok = true;
    QString error;
    qsizetype lines = 0;
    // Rows (0-based) with a coordinate written as 0 because the range rule
    // dropped it or its whole metres did not fit the block.
    QList<qsizetype> zeroedRows;
};

// Writes GSI-16 or GSI-8 coordinate lines: name, easting, northing and
// elevation words, a closing blank, CR LF. Lines are collected in a buffer and
// go to the device in large writes.
class GsiWriter
{
public:
    GsiWriter(QIODevice &device, GsiVariant variant, bool rangeRule);
    ~GsiWriter();

    // Appends one point's line. Returns false when a coordinate was written as
    // 0 because of the range rule or because it does not fit.
    bool writePoint(QStringView name, QStringView easting, QStringView northing,
                    QStringView elevation);

    // Hands the buffered lines to the device; false on a write error.
    bool flush();
    QString errorString() const;

    // 99 bytes for GSI-16, 66 for GSI-8.
    static int lineLength(GsiVariant variant);

    // One line on its own, with the ANSI code page.
    static QByteArray line(QStringView name, QStringView easting, QStringView northing,
                           QStringView elevation, GsiVariant variant, bool rangeRule,
                           bool *allWritten = nullptr);

    // Every row of source, in order, nothing before or after.
    static GsiWriteResult write(QIODevice &device, const PointSource &source, GsiVariant variant,
                                bool rangeRule);
    // The same through a temporary file that replaces path only when complete.
    static GsiWriteResult write(const QString &path, const PointSource &source, GsiVariant variant,
                                bool rangeRule);

private:
    static bool fillLine(char *out, QStringView name, QStringView easting, QStringView northing,
                         QStringView elevation, GsiVariant variant, bool rangeRule,
                         const CodePage &page);

    QIODevice &m_device;
    GsiVariant m_variant;
    bool m_rangeRule;
    const CodePage &m_page;
    QByteArray m_buffer;
    bool m_failed = false;
};
