#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check_package.sh BUILD_DIR PACKAGING_DIR VERSION
# Makes the Debian package from a finished build, then checks its contents and
# runs lintian, desktop-file-validate, appstreamcli and man on what it holds.
set -uo pipefail
build=$1 packaging=$2 version=$3

for tool in cpack dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli man python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is not installed (bash scripts/install-deps.sh installs it)"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A package folder of its own, so a run beside a hand-made package in the
# build folder disturbs neither.
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack could not make the package"
    exit 1
fi
deb=$(ls "$work"/out/rqtcom_*.deb 2>/dev/null | head -n 1)
if [ -z "$deb" ]; then
    echo "FAIL: cpack made no rqtcom_*.deb"
    exit 1
fi
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

echo "--- control"
dpkg-deb -f "$deb" Package Version Architecture Installed-Size Depends Section
[ "$(dpkg-deb -f "$deb" Version)" = "$version-1" ] || fail "version is not $version-1"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6core6 libqt6serialport6 libqt6widgets6 qt6-qpa-plugins; do
    [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib"
done

echo "--- contents"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' | sort >"$work/files"
expected=(
    /usr/bin/rqtcom /usr/bin/rqtcom-cli /usr/bin/rqtsim
    /usr/share/applications/io.github.rqtcom.rqtcom.desktop
    /usr/share/metainfo/io.github.rqtcom.rqtcom.metainfo.xml
    /usr/share/icons/hicolor/scalable/apps/rqtcom.svg
    /usr/share/man/man1/rqtcom.1.gz /usr/share/man/man1/rqtcom-cli.1.gz
    /usr/share/man/man1/rqtsim.1.gz
    /usr/share/bash-completion/completions/rqtcom-cli
    /usr/share/doc/rqtcom/copyright /usr/share/doc/rqtcom/changelog.Debian.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/rqtcom.png")
done
for f in "${expected[@]}"; do
    grep -qx "$f" "$work/files" || fail "the package lacks $f"
done
programs=$(grep -c '^/usr/bin/.' "$work/files")
[ "$programs" -eq 3 ] || fail "/usr/bin holds $programs files, not the three programs"

root="$work/root"
dpkg-deb -x "$deb" "$root"

# The installed programs are stripped copies: they must still start.
for program in rqtcom-cli rqtsim; do
    line=$("$root/usr/bin/$program" --version | head -n 1)
    [ "$line" = "$program (rqtcom) $version" ] || fail "$program --version says '$line'"
done

# Each PNG is as large as the folder it sits in says.
python3 - "$root/usr/share/icons/hicolor" <<'PY' || fail "icon sizes"
import pathlib, struct, sys
bad = 0
for png in sorted(pathlib.Path(sys.argv[1]).glob("*x*/apps/rqtcom.png")):
    head = png.read_bytes()[:24]
    w, h = struct.unpack(">II", head[16:24])
    want = int(png.parent.parent.name.split("x")[0])
    if head[:8] != b"\x89PNG\r\n\x1a\n" or (w, h) != (want, want):
        print(f"{png}: {w}x{h}, expected {want}x{want}")
        bad += 1
sys.exit(bad)
PY
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/rqtcom.svg" || fail "rqtcom.svg is no SVG"

echo "--- desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/io.github.rqtcom.rqtcom.desktop" ||
    fail "desktop-file-validate"
grep -q '^Name\[zh_CN\]=' "$root/usr/share/applications/io.github.rqtcom.rqtcom.desktop" ||
    fail "the desktop entry has no Chinese name"

echo "--- appstreamcli validate --no-net"
appstreamcli validate --no-net --pedantic \
    "$root/usr/share/metainfo/io.github.rqtcom.rqtcom.metainfo.xml" >"$work/appstream.log" 2>&1
status=$?
cat "$work/appstream.log"
# Exit status 3 means warnings or hints only; errors give another status.
[ $status -eq 0 ] || [ $status -eq 3 ] || fail "appstreamcli found errors"
grep -q '^E:' "$work/appstream.log" && fail "appstreamcli found errors"

echo "--- man -l"
for page in rqtcom rqtcom-cli rqtsim; do
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>"$work/man.err")
    if [ $? -ne 0 ] || [ -s "$work/man.err" ] || [[ $out != *NAME* ]]; then
        cat "$work/man.err"
        fail "man -l $page.1.gz"
    else
        echo "$page.1.gz: $(printf '%s\n' "$out" | wc -l) lines"
    fi
done

# Every command rqtcom-cli lists has its entry in the manual page.
commands=$("$root/usr/bin/rqtcom-cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z0-9]\+\) .*/\1/p')
[ -n "$commands" ] || fail "rqtcom-cli --help lists no commands"
for command in $commands; do
    zcat "$root/usr/share/man/man1/rqtcom-cli.1.gz" | grep -q "^\.B $command\b" ||
        fail "the manual page of rqtcom-cli lacks the command $command"
done

echo "--- bash completion"
if [ -f /usr/share/bash-completion/bash_completion ]; then
    words=$(PATH="$root/usr/bin:$PATH" bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        COMP_WORDS=(rqtcom-cli do); COMP_CWORD=1; COMP_LINE="rqtcom-cli do"; COMP_POINT=13
        _rqtcom_cli rqtcom-cli do rqtcom-cli
        echo "${COMPREPLY[*]}"
        COMP_WORDS=(rqtcom-cli jobs --ba); COMP_CWORD=2; COMP_LINE="rqtcom-cli jobs --ba"; COMP_POINT=20
        _rqtcom_cli rqtcom-cli --ba jobs
        echo "${COMPREPLY[*]}"' _ "$root/usr/share/bash-completion/completions/rqtcom-cli")
    echo "$words"
    [ "$words" = $'download\n--baud' ] || fail "bash completion offers '$words'"
else
    echo "(bash-completion is not installed: not tried)"
fi

echo "--- lintian"
lintian --fail-on error --display-info "$deb" >"$work/lintian.log" 2>&1
status=$?
cat "$work/lintian.log"
[ $status -eq 0 ] || fail "lintian reports errors"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all package checks passed"
