// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

// Reasons the core gives to people (file, reader/writer, DXF and engine errors)
// are English sentences marked for Qt Linguist, translated where they are made:
//   in a class:        Q_DECLARE_TR_FUNCTIONS(ClassName) in its body, then tr("...")
//   in a namespace:    QCoreApplication::translate("NamespaceName", "...")
//   in a static table: QT_TRANSLATE_NOOP("Context", "..."), translated where used
// rqtcom installs the user's translation at start, so the windows get them in
// their language; rqtcom-cli installs none and prints English. Never compare a
// reason's text: compare a result code. Reasons Qt gives (QFile::errorString(),
// QSerialPort::errorString()) come translated by Qt's own catalogues, which
// rqtcom installs beside its own.
