#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times rqtcom-cli as a whole process, where a surveyor's script feels it:
#   --version                 the start-up alone (target: 10 ms)
#   gsi2dxf of 100 points     bound by the start-up
#   gsi2dxf of 100,000 points the conversion itself
# with hyperfine when installed (package hyperfine), else a loop of RUNS runs
# whose median is printed. Exit 1 when the start-up misses its target.
# Usage: bench/cli_startup.sh [BUILD_DIR]   (a Release build; default
#        build-release, configured when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
runs=${RUNS:-50}
if [ ! -x "$build/bin/rqtcom-cli" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRQTCOM_BUILD_GUI=OFF \
        -DRQTCOM_BUILD_TESTS=OFF -DRQTCOM_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build" --target rqtcom-cli
fi
cli=$(cd "$build/bin" && pwd)/rqtcom-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import sys
for count in (100, 100_000):
    with open(f"{sys.argv[1]}/p{count}.gsi", "wb") as f:
        f.write(b"".join(
            b"*11....+%016d 81..10+%016d 82..10+%016d 83..10+%016d \r\n"
            % (i + 1, 512345678 + i * 13371 % 9000000, 4312345123 + i * 7913 % 9000000,
               123456 + i % 97000)
            for i in range(count)))
PY
# The commands; gsi2dxf replaces its drawing each run.
names=("start-up (--version)" "gsi2dxf 100 points" "gsi2dxf 100,000 points")
commands=("$cli --version"
          "$cli gsi2dxf $work/p100.gsi $work/p100.dxf --overwrite"
          "$cli gsi2dxf $work/p100000.gsi $work/p100000.dxf --overwrite")

medians=()
if command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 3 --runs "$runs" --export-json "$work/times.json" \
        -n "${names[0]}" "${commands[0]}" -n "${names[1]}" "${commands[1]}" \
        -n "${names[2]}" "${commands[2]}" >&2
    mapfile -t medians < <(python3 - "$work/times.json" <<'PY'
import json, sys
for r in json.load(open(sys.argv[1]))["results"]:
    print("%.2f" % (r["median"] * 1000))
PY
)
else
    for c in "${commands[@]}"; do
        medians+=("$(python3 - "$runs" $c <<'PY'
import statistics, subprocess, sys, time
runs, cmd = int(sys.argv[1]), sys.argv[2:]
for _ in range(3):
    subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
times = []
for _ in range(runs):
    t = time.perf_counter()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    times.append((time.perf_counter() - t) * 1000)
print(f"{statistics.median(times):.2f}")
PY
)")
    done
fi
for i in "${!names[@]}"; do
    printf '%-24s median %8s ms\n' "${names[$i]}:" "${medians[$i]}"
done
python3 -c 'import sys; sys.exit(0 if float(sys.argv[1]) <= 10 else 1)' "${medians[0]}" ||
    { echo "start-up above its 10 ms target"; exit 1; }
