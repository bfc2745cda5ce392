#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds rqtcom into ./build (or $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
launcher=()
# ccache, where installed, makes rebuilds of several checkouts cheap; CI runs without it.
# It caches files compiled with a precompiled header only when told that the
# header's macros and time stamps may be taken as they are.
if command -v ccache >/dev/null 2>&1; then
    launcher=("-DCMAKE_CXX_COMPILER_LAUNCHER=env;CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime;ccache")
fi
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
