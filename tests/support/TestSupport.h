#pragma once

#include <QByteArray>
#include <QString>

// Small helpers shared by the test binaries.
namespace testsupport {

// Folder of committed golden files (tests/data).
QString dataPath(const QString &relative = QString());
// Folder of the optional sample instrument files; empty when absent.
QString samplesPath(const QString &relative = QString());
// Folder holding the built programs (rqtcom-cli, rqtsim).
QString binPath(const QString &program);

QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);

} // namespace testsupport
