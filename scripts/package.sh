#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds rqtcom and makes its Debian package
# (rqtcom_<version>-1_<arch>.deb in the build folder).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh "$@"
cd "${BUILD_DIR:-build}"
cpack -G DEB
ls -l rqtcom_*.deb
