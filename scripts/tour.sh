#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A short tour of rqtcom from the command line, for a machine without a
# display (scripts/run.sh runs it there): the simulated RQT-318 on a
# pseudo-terminal, its job list, a job downloaded as GSI and as SOUTH/CASS,
# the points drawn as DXF and as a PNG plan, and the job's observations turned
# into coordinates. Every command is printed
# before it runs; the files stay in the folder named at the end.
# Usage: tour.sh [BIN [DIR]]   BIN: the built programs (default build/bin),
#        DIR: where the files go (default out/tour; the tour's files of an
#        earlier run there are replaced).
# Exit status: 0 every step worked, 1 a step failed (its output is shown).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build/bin}" && pwd)
dir=${2:-$root/out/tour}
cli=$bin/rqtcom-cli
sim=$bin/rqtsim
for p in "$cli" "$sim"; do
    [ -x "$p" ] || { echo "tour: $p is missing; build first (bash scripts/build.sh)" >&2; exit 1; }
done
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
# The tour's own files from an earlier run; nothing else in the folder is touched.
outputs=(ROAD1.gsi ROAD1.dat ROAD1-observations.gsi ROAD1.dxf ROAD1.png ROAD1-reduced.dat sim.out)
(cd "$dir" && rm -f "${outputs[@]}")

simpid=
stop_sim() {
    if [ -n "$simpid" ]; then
        kill "$simpid" 2>/dev/null || true
        wait "$simpid" 2>/dev/null || true
        simpid=
    fi
}
trap stop_sim EXIT

# step TEXT COMMAND...: says what comes, shows the command, runs it.
step() {
    local text=$1; shift
    printf '\n== %s\n$ %s\n' "$text" "$(printf '%q ' "$@" | sed "s|$dir/||g; s|$bin/||g")"
    "$@"
}

echo "rqtcom tour: the files go to $dir"
cd "$dir"
"$sim" >sim.out 2>&1 &
simpid=$!
pty=
for _ in $(seq 100); do
    pty=$(head -n1 sim.out 2>/dev/null || true)
    [ -n "$pty" ] && [ -e "$pty" ] && break
    pty=
    sleep 0.1
done
[ -n "$pty" ] || { echo "tour: rqtsim did not start: $(cat sim.out)" >&2; exit 1; }
printf '\n== The simulated RQT-318 answers on %s (rqtsim, process %s)\n$ rqtsim &\n' "$pty" "$simpid"

step "The instrument's 17 jobs (N, name, fixed points, measurements)" \
    "$cli" jobs --port "$pty"
step "Job 1's coordinates as a GSI-16 file" \
    "$cli" download --job 1 --dir "$dir" --port "$pty"
step "The same job as a SOUTH/CASS file" \
    "$cli" download --job 1 --type cass --dir "$dir" --port "$pty"
step "Job 1's observations (always GSI)" \
    "$cli" download --job 1 --observations --name ROAD1-observations --dir "$dir" --port "$pty"
stop_sim
echo "(rqtsim stopped)"

step "The points as a DXF drawing, on three layers" \
    "$cli" gsi2dxf "$dir/ROAD1.gsi" "$dir/ROAD1.dxf" --layers
step "The points as a PNG plan with their names" \
    "$cli" plot "$dir/ROAD1.gsi" "$dir/ROAD1.png" --labels
step "The observations turned into coordinates (SOUTH/CASS)" \
    "$cli" reduce "$dir/ROAD1-observations.gsi" "$dir/ROAD1-reduced.dat"
rm -f sim.out

printf '\nrqtcom tour done. Files in %s:\n' "$dir"
ls -l "$dir" | sed 1d
cat <<EOF

Next: open them in the windows (rqtcom, with a display: bash scripts/run.sh),
or run rqtcom-cli --help for every command. On a display, rqtcom --demo
connects the Data Exchange Manager to the same simulated instrument.
EOF
