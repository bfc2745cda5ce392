// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct ReductionOptions;
struct ReductionResult;

// What reduce says on standard error about a reduction.
namespace cli {

// Observations reduced, kept and skipped (and why), lines and words passed over.
void reportReductionCounts(const QString &input, const ReductionResult &r);
// Each station with observations: its set-up and orientation, the
// backsights' residuals, or why it was refused.
void reportReductionStations(const ReductionResult &r, const ReductionOptions &options);

} // namespace cli
