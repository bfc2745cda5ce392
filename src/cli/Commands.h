// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// Entry points of the sub-commands; each group lives in its own file of src/cli
// and is listed in main.cpp's command table.
namespace cli {

int runVersion(const QStringList &args);
int runGsi2Dxf(const QStringList &args);
int runConvert(const QStringList &args);
int runPlot(const QStringList &args);
// Loads the module that holds plot and runs it (PlotLoader.cpp); before any
// application object exists, since the module makes its own.
int runPlotModule(int argc, char *argv[]);
int runReduce(const QStringList &args);

// Instrument commands (InstrumentCommands.cpp, TransferCommands.cpp).
int runJobs(const QStringList &args);
int runDownload(const QStringList &args);
int runUpload(const QStringList &args);
int runErase(const QStringList &args);

} // namespace cli
