#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds rqtcom and starts it: with a display,
# rqtcom --demo (the windows against a simulated instrument); without one, a
# short tour of the same from the command line (scripts/tour.sh), which
# prints each command and where its files went.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BIN=${BUILD_DIR:-build}/bin
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: a tour of rqtcom from the command line instead of its windows." >&2
    exec bash scripts/tour.sh "$BIN"
fi
if [ -x "$BIN/rqtcom" ]; then
    exec "$BIN/rqtcom" --demo "$@"
fi
exec "$BIN/rqtcom-cli" --help
