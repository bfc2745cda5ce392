#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times one rqtcom-cli command on a generated GSI-16 file of 1,000,000 points as a
# whole process (wall time and peak memory from /usr/bin/time -v):
#   convert  into SOUTH (.dat)
#   gsi2dxf  into a DXF drawing
#   plot     into a PNG picture (target: within 1.5 s)
#   reduce   1,000,000 observations (a station line, Hz, Z, slope distance, target
#            height) into SOUTH coordinates (target: within 1 s and 30 MB)
# Usage: bench/cli_timing.sh convert|gsi2dxf|plot|reduce [BUILD_DIR]
#        (a Release build; default build-release, configured when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
command=${1:-}
case "$command" in
convert) output=points.dat; extra=(--overwrite) ;;
gsi2dxf) output=points.dxf; extra=(--overwrite) ;;
plot) output=points.png; extra=() ;;
reduce) output=points.dat; extra=(--orientation 12.3456 --overwrite) ;;
*) echo "usage: $0 convert|gsi2dxf|plot|reduce [BUILD_DIR]" >&2; exit 2 ;;
esac
build=${2:-build-release}
if [ ! -x "$build/bin/rqtcom-cli" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRQTCOM_BUILD_GUI=OFF \
        -DRQTCOM_BUILD_TESTS=OFF -DRQTCOM_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build" --target rqtcom-cli
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work/points.gsi" "$command" <<'PY'
import sys
with open(sys.argv[1], "wb") as f:
    lines = []
    if sys.argv[2] == "reduce":
        f.write(b"*11....+00000000STATION1 84..10+0000000512345678 85..10+0000004312345123 "
                b"86..10+0000000000123456 88..10+0000000000001560 \r\n")
    for i in range(1_000_000):
        if sys.argv[2] == "reduce":
            hz = i * 7919 % 40000000
            z = 9000000 + i * 31 % 2000000
            sd = 2000 + i * 137 % 900000
            lines.append(b"*11....+%016d 21.322+%016d 22.322+%016d 31..00+%016d "
                         b"87..10+%016d \r\n" % (i + 1, hz, z, sd, 1300 + i % 500))
            if len(lines) == 10000:
                f.write(b"".join(lines))
                lines = []
            continue
        e = 512345678 + i * 13371 % 9000000
        n = 4312345123 + i * 7913 % 9000000
        h = 123456 + i % 97000
        lines.append(b"*11....+%016d 81..10+%016d 82..10+%016d 83..10+%016d \r\n"
                     % (i + 1, e, n, h))
        if len(lines) == 10000:
            f.write(b"".join(lines))
            lines = []
    f.write(b"".join(lines))
PY
ls -l "$work/points.gsi" | awk '{printf "input: %.1f MB\n", $5 / 1e6}'
run=("$build/bin/rqtcom-cli" "$command" "$work/points.gsi" "$work/$output" "${extra[@]}")
# One run to warm the page cache, then the measured one.
"${run[@]}" >/dev/null
/usr/bin/time -v "${run[@]}" 2>"$work/time.txt"
ls -l "$work/$output" | awk '{printf "output: %.1f MB\n", $5 / 1e6}'
grep -E 'Elapsed \(wall clock\)|Maximum resident set size|User time|System time' "$work/time.txt"
