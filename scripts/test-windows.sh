#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the cross-built test programs (scripts/build-windows.sh) under Wine, in a
# throw-away Wine prefix: once with the system code page Wine gives an English
# locale (1252), once more for the code-page tests with Chinese (936), then the
# instrument over COM9 against rqtsim on the Linux side, then the setup program
# (tests/windows/installer.sh).
# Usage: test-windows.sh [OUTDIR]   (OUTDIR as given to build-windows.sh; the
# COM9 test uses its rqtcom-cli.exe, else the build folder's).
# Exit status: 0 all passed, 1 a test failed, 3 Wine or the build is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${WIN_BUILD_DIR:-$root/build-windows}" 2>/dev/null && pwd) || {
    echo "test-windows: no Windows build; run scripts/build-windows.sh first" >&2; exit 3; }
out=${1:-}
# Absolute: the tests run from the build folder.
if [ -n "$out" ]; then
    out=$(cd "$out" 2>/dev/null && pwd) || { echo "test-windows: no folder $1" >&2; exit 3; }
fi
wine=${WINE:-/usr/lib/wine/wine64}
[ -x "$wine" ] || { echo "test-windows: $wine missing (package wine64)" >&2; exit 3; }
wineserver=$(dirname "$wine")/wineserver
cd "$build/bin"
shopt -s nullglob
tests=(tst_*.exe)
[ ${#tests[@]} -gt 0 ] || { echo "test-windows: no test programs in $build/bin" >&2; exit 3; }

prefix=$(mktemp -d /tmp/rqtcom-wine.XXXXXX)
logs=$prefix.logs
mkdir -p "$logs"
cleanup() {
    WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
    rm -rf "$prefix" "$logs"
}
trap cleanup EXIT
export WINEPREFIX=$prefix WINEDEBUG=-all QT_QPA_PLATFORM=offscreen
# No Mono or Gecko installer prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WINEPATH
start=$(date +%s)
LANG=en_US.UTF-8 LC_ALL= "$wine" wineboot -i >/dev/null 2>&1 || true
echo "test-windows: Wine prefix ready in $(($(date +%s) - start)) s"

# Tests that need a pseudo-terminal on the Windows side (the simulated
# instrument runs on one): Windows has none, so they only run on Linux, and
# the Windows build leaves them out; the filter guards against a stray one.
pty_tests='ManagerConnection*:ManagerBehaviour*'

failed=0
# run_pass NAME LOCALE FILTER: every test program, two at a time.
run_pass() {
    local name=$1 locale=$2 filter=$3
    local t0; t0=$(date +%s)
    printf '%s\n' "${tests[@]}" | LANG=$locale LC_ALL=$locale xargs -P "$(nproc)" -I{} \
        sh -c '"$0" "$1" --gtest_brief=1 --gtest_filter="$2" >"$3/$1.$4.log" 2>&1; echo $? >"$3/$1.$4.rc"' \
        "$wine" {} "$filter" "$logs" "$name"
    local t rc bad=0
    for t in "${tests[@]}"; do
        rc=$(cat "$logs/$t.$name.rc")
        if [ "$rc" != 0 ]; then
            bad=1
            echo "--- $t ($name) failed, exit $rc:"
            grep -v '^\[       OK \]\|Read access denied' "$logs/$t.$name.log" | tail -60
        fi
    done
    echo "test-windows: pass '$name' ($locale): $(grep -h '^\[  PASSED  \]' "$logs"/*."$name".log |
        awk '{n+=$4} END {print n+0}') tests passed, $(($(date +%s) - t0)) s"
    [ $bad -eq 0 ] || failed=1
}

run_pass cp1252 en_US.UTF-8 "-$pty_tests"
# GBK names through every format, the DXF and the command line, with Wine's
# ANSI and OEM code pages both 936.
run_pass cp936 zh_CN.UTF-8 "*CodePage*:*Gbk*:*GBK*:*Chinese*:*Windows*-$pty_tests"

if [ -x "$root/tests/windows/com9-conversation.sh" ]; then
    cli=$build/bin/rqtcom-cli.exe
    [ -n "$out" ] && [ -f "$out/rqtcom/rqtcom-cli.exe" ] && cli=$out/rqtcom/rqtcom-cli.exe
    sim=${RQTSIM:-}
    if [ -z "$sim" ] && [ -x "$root/build/bin/rqtsim" ]; then sim=$root/build/bin/rqtsim; fi
    if [ -n "$sim" ]; then
        bash "$root/tests/windows/com9-conversation.sh" "$wine" "$cli" "$sim" || failed=1
    else
        echo "test-windows: COM9 test skipped: no Linux rqtsim (build/bin/rqtsim or RQTSIM)"
    fi
fi

# The setup program: installed, started and removed again, in both modes.
setups=()
[ -n "$out" ] && setups=("$out"/rqtcom-*-setup.exe)
if [ ${#setups[@]} -eq 1 ]; then
    t0=$(date +%s)
    bash "$root/tests/windows/installer.sh" "$wine" "${setups[0]}" || failed=1
    echo "test-windows: setup program tested in $(($(date +%s) - t0)) s"
elif [ -z "$out" ]; then
    echo "test-windows: setup test SKIPPED: no OUTDIR given"
else
    echo "test-windows: setup test SKIPPED: no single rqtcom-*-setup.exe in $out" \
        "(build-windows.sh makes it when makensis, package nsis, is installed)"
fi

echo "test-windows: $([ $failed -eq 0 ] && echo passed || echo FAILED) in $(($(date +%s) - start)) s"
exit $failed
