#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds rqtcom and runs every test; then builds it
# again with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan) and
# runs every test once more, so memory errors and undefined behaviour fail the
# run as a failed test does. RQTCOM_SANITIZER=0 leaves the second pass out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd "${BUILD_DIR:-build}" && ctest --output-on-failure --parallel "$(nproc)" --timeout 600)

if [ "${RQTCOM_SANITIZER:-1}" != 0 ]; then
    # Set for the build too: it runs the test programs to list their tests.
    export ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=0:strict_string_checks=1
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    asan_dir=${ASAN_BUILD_DIR:-build-asan}
    BUILD_DIR=$asan_dir bash scripts/build.sh -DRQTCOM_SANITIZE=ON -DRQTCOM_BUILD_BENCH=OFF \
        -DRQTCOM_FUZZ=OFF
    (cd "$asan_dir" && ctest --output-on-failure --parallel "$(nproc)" --timeout 900)
fi
