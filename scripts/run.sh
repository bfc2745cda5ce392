#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds rqtcom and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BIN=${BUILD_DIR:-build}/bin
if [ -x "$BIN/rqtcom" ]; then
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "No display: starting rqtcom --demo under a virtual X server (xvfb-run)." >&2
        exec xvfb-run -a "$BIN/rqtcom" --demo "$@"
    fi
    exec "$BIN/rqtcom" --demo "$@"
fi
exec "$BIN/rqtcom-cli" --help
