#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The setup program under Wine, silently, as an administrator would run it
# (for all users, into Program Files) and as a user without rights would (for
# himself, Chinese interface): the installed rqtcom-cli.exe answers --version,
# rqtcom.exe paints its launcher once (under Xvfb), the "Apps & features" key is complete,
# and the silent uninstall leaves nothing behind but the file the user saved.
# Usage: installer.sh WINE RQTCOM-VERSION-SETUP.EXE   (WINEPREFIX set)
set -euo pipefail
wine=$1 setup=$2
: "${WINEPREFIX:?}"
wineserver=$(dirname "$wine")/wineserver
version=$(basename "$setup" | sed -n 's/^rqtcom-\(.*\)-setup\.exe$/\1/p')
[ -n "$version" ] || { echo "installer: no version in the name $setup" >&2; exit 1; }
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\rqtcom'
c=$WINEPREFIX/drive_c
profile=$c/users/${USER:-$(id -un)}
failed=0
fail() { echo "installer: FAILED: $*"; failed=1; }

# regvalue ROOT NAME: one value of the uninstall key, empty when missing.
regvalue() {
    "$wine" reg query "$1\\$key" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z]* *//p"
}

# check_installed LABEL ROOT DIR MENU LANGUAGE
check_installed() {
    local label=$1 root=$2 dir=$3 menu=$4 language=$5 f
    for f in rqtcom.exe rqtcom-cli.exe uninstall.exe Qt6Core.dll platforms/qwindows.dll; do
        [ -f "$dir/$f" ] || fail "$label: $f not installed in $dir"
    done
    [ "$(head -c 7 "$dir/Language.txt" 2>/dev/null)" = "$language" ] ||
        fail "$label: Language.txt is '$(cat "$dir/Language.txt" 2>/dev/null)', not $language"
    [ -f "$menu/rqtcom.lnk" ] || fail "$label: no Start-menu entry in $menu"
    ls "$menu" 2>/dev/null | grep -q '^Uninstall rqtcom\.lnk$\|^卸载 rqtcom\.lnk$' ||
        fail "$label: no uninstall entry in the Start menu"
    [ "$(regvalue "$root" DisplayVersion)" = "$version" ] || fail "$label: DisplayVersion"
    [ "$(regvalue "$root" DisplayName)" = rqtcom ] || fail "$label: DisplayName"
    [ -n "$(regvalue "$root" Publisher)" ] || fail "$label: no Publisher"
    local size; size=$(regvalue "$root" EstimatedSize)
    [ -n "$size" ] && [ $((size)) -gt 10000 ] || fail "$label: EstimatedSize '$size' (KB)"
    regvalue "$root" QuietUninstallString | grep -q 'uninstall.exe" /[A-Za-z]* /S$' ||
        fail "$label: QuietUninstallString"

    # The installed programs run: Qt, its plugins and the MinGW runtime are all there.
    local out
    out=$(cd "$dir" && "$wine" ./rqtcom-cli.exe --version 2>&1 | tr -d '\r' | head -n1)
    [ "$out" = "rqtcom-cli (rqtcom) $version" ] || fail "$label: rqtcom-cli.exe --version: $out"
    # The launcher on Windows' own platform plugin, as a user sees it, on a
    # virtual X server (Qt's offscreen plugin never paints under Wine).
    if ! command -v xvfb-run >/dev/null; then
        echo "installer: $label: installed in ${dir#"$c/"}; launcher SKIPPED: no xvfb-run (package xvfb)"
        return
    fi
    # Wine's desktop process belongs to the display it started with: a fresh
    # one for this X server, and none left for the next program.
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
    out=$(cd "$dir" && env -u QT_QPA_PLATFORM timeout 120 xvfb-run -a "$wine" ./rqtcom.exe \
        --first-paint-exit 2>/dev/null | tr -d '\r' | grep -E '^[0-9]+$' | tail -n1) || true
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
    [ -n "$out" ] || fail "$label: rqtcom.exe painted no launcher within 120 s"
    echo "installer: $label: installed in ${dir#"$c/"}, launcher painted in $out ms"
}

# uninstall LABEL ROOT: runs the key's QuietUninstallString and waits for the
# copy of itself the uninstaller runs from the temporary folder.
uninstall() {
    local cmd; cmd=$(regvalue "$2" QuietUninstallString)
    [ -n "$cmd" ] || { fail "$1: no QuietUninstallString"; return; }
    local exe=${cmd%\"*}; exe=${exe#\"}
    local args=${cmd##*\" }
    # shellcheck disable=SC2086
    "$wine" "$exe" $args || fail "$1: the uninstaller failed"
    "$wineserver" -w
}

# 1. An administrator, all users, the setup's language (English here).
"$wine" "$setup" /S || fail "setup /S failed"
"$wineserver" -w
dir="$c/Program Files/rqtcom"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/rqtcom"
check_installed "all users" HKLM "$dir" "$menu" English
uninstall "all users" HKLM
[ ! -e "$dir" ] || fail "all users: left behind: $(cd "$dir" && find . | head)"
[ ! -e "$menu" ] || fail "all users: the Start-menu folder is left"
[ -z "$(regvalue HKLM DisplayName)" ] || fail "all users: the uninstall key is left"

# 2. For the user alone, Chinese interface; a file he saved in the folder stays.
"$wine" "$setup" /S /CurrentUser /Language=Chinese || fail "setup /S /CurrentUser failed"
"$wineserver" -w
dir="$profile/AppData/Local/Programs/rqtcom"
menu="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/rqtcom"
check_installed "this user" HKCU "$dir" "$menu" Chinese
[ -z "$(regvalue HKLM DisplayName)" ] || fail "this user: wrote the all-users key"
printf '*11....+0000000000000P01 81..10+0000000001000000 82..10+0000000002000000 \r\n' >"$dir/my job.gsi"
uninstall "this user" HKCU
left=$(cd "$dir" 2>/dev/null && find . -mindepth 1)
[ "$left" = "./my job.gsi" ] || fail "this user: left behind: $left"
[ ! -e "$menu" ] || fail "this user: the Start-menu folder is left"
[ -z "$(regvalue HKCU DisplayName)" ] || fail "this user: the uninstall key is left"
rm -rf "$dir"

[ $failed -eq 0 ] && echo "installer: passed (all users and this user, install and uninstall)"
exit $failed
