#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The instrument on Windows: rqtcom-cli.exe under Wine talks to rqtsim on the
# Linux side through COM9, which the Wine prefix maps to rqtsim's pty. The same
# commands run once more with the Linux rqtcom-cli, and both conversations (the
# bytes rqtsim received), the job lists and the downloaded files must be equal.
# Usage: com9-conversation.sh WINE RQTCOM-CLI.EXE RQTSIM   (WINEPREFIX set)
set -euo pipefail
wine=$1 wincli=$2 sim=$3
lincli=$(dirname "$sim")/rqtcom-cli
: "${WINEPREFIX:?}"
work=$(mktemp -d /tmp/rqtcom-com9.XXXXXX)
simpid=
stop_sim() {
    if [ -n "$simpid" ]; then kill "$simpid" 2>/dev/null || true; wait "$simpid" 2>/dev/null || true; fi
    simpid=
}
trap 'stop_sim; rm -rf "$work"; rm -f "$WINEPREFIX/dosdevices/com9"' EXIT

# A GSI file to upload, with a Chinese point name in GBK.
printf '*11....+0000000000000P01 81..10+0000000001000000 82..10+0000000002000000 83..10+0000000000100000 \r\n' >"$work/up.gsi"
printf '*11....+000000000000\xb5\xe3\xb6\xfe 81..10+0000000001000500 82..10+0000000002000500 83..10+0000000000100500 \r\n' >>"$work/up.gsi"

start_sim() { # start_sim LOG: sets simpid and pty
    rm -f "$work/sim.out"
    "$sim" --log "$1" >"$work/sim.out" 2>&1 &
    simpid=$!
    for _ in $(seq 100); do
        pty=$(head -n1 "$work/sim.out" 2>/dev/null || true)
        [ -n "$pty" ] && [ -e "$pty" ] && return 0
        sleep 0.1
    done
    echo "com9: rqtsim did not start: $(cat "$work/sim.out")" >&2
    return 1
}

# conversation SIDE CLI PORT...: the same commands on either side.
conversation() {
    local side=$1 run=$2 port=$3 jobsport=$4
    local dir=$work/$side dirarg
    mkdir -p "$dir"
    dirarg=$dir
    [ "$side" = windows ] && dirarg="Z:${dir//\//\\}" # a drive-letter path with backslashes
    local up=$work/up.gsi
    [ "$side" = windows ] && up="Z:${up//\//\\}"
    $run jobs --port "$jobsport" >"$dir/jobs1.txt"
    $run download --job 3 --type gsi --dir "$dirarg" --name coords --port "$port" >/dev/null
    $run download --job 3 --type cass --dir "$dirarg" --name cass --port "$port" >/dev/null
    $run download --job 3 --observations --dir "$dirarg" --name obs --port "$port" >/dev/null
    # A device name as file name: Windows would send the download to the device.
    $run download --job 3 --type gsi --dir "$dirarg" --name CON --port "$port" >/dev/null
    $run upload --job 12 --name NEW "$up" --port "$port" >/dev/null
    $run erase --job 3 --port "$port" >"$dir/erase.txt"
    $run jobs --port "$port" >"$dir/jobs2.txt"
}

# Both sides read the job names as GBK (the Chinese ANSI page): compare text.
chinese="env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8"
start_sim "$work/linux.log"
conversation linux "$chinese $lincli" "$pty" "$pty"
stop_sim

start_sim "$work/windows.log"
rm -f "$WINEPREFIX/dosdevices/com9"
ln -s "$pty" "$WINEPREFIX/dosdevices/com9"
# COM9 by name, and once by its number (the n-th port is COMn on Windows).
conversation windows "$chinese $wine $wincli" COM9 9
stop_sim

fail=0
check() { # check WHAT LINUXFILE WINDOWSFILE
    if cmp -s "$2" "$3"; then echo "com9: $1 equal"; else echo "com9: $1 DIFFER"; diff <(od -c "$2") <(od -c "$3") | head -20; fail=1; fi
}
check "conversation bytes" "$work/linux.log" "$work/windows.log"
for f in coords.gsi cass.dat obs.gsi _CON.gsi; do
    check "$f" "$work/linux/$f" "$work/windows/$f"
done
for f in jobs1.txt jobs2.txt erase.txt; do
    # Windows prints in its ANSI page (936) with CR LF.
    iconv -f GBK -t UTF-8 "$work/windows/$f" | tr -d '\r' >"$work/windows/$f.utf8"
    check "$f" "$work/linux/$f" "$work/windows/$f.utf8"
done
[ -s "$work/linux.log" ] || { echo "com9: rqtsim logged nothing"; fail=1; }
echo "com9: $(wc -c <"$work/linux.log") bytes sent by rqtcom-cli, $(wc -l <"$work/linux/jobs2.txt") job lines"
exit $fail
