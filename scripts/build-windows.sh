#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds rqtcom for 64-bit Windows with MinGW-w64 and lays out a folder
# that runs on Windows as it stands:
#   OUTDIR/rqtcom/            programs, Qt and MinGW runtime DLLs, plugins, translations
#   OUTDIR/rqtcom-windows.zip that folder, for surveyors to unpack
#   OUTDIR/rqtcom-VERSION-setup.exe  the setup program (NSIS), when makensis
#                             is installed (package nsis); else it says why not
# The test programs stay in the build folder ($WIN_BUILD_DIR, default build-windows),
# next to the same DLLs, for scripts/test-windows.sh.
# The Qt kit comes from $RQTCOM_QT_MINGW (a folder holding qt6.4.2-mingw-w64.tar.xz,
# or the unpacked kit itself), else from ../shared/windows beside the clone.
# "build-windows.sh --find-kit" only prints where the kit is (exit 3: nowhere).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -eq 1 ] || { echo "usage: $0 OUTDIR" >&2; exit 2; }

kitsrc=${RQTCOM_QT_MINGW:-$root/../shared/windows}
if [ -z "${RQTCOM_QT_MINGW:-}" ] && [ ! -d "$kitsrc" ]; then
    # A git worktree: look beside the main checkout instead.
    common=$(git -C "$root" rev-parse --path-format=absolute --git-common-dir 2>/dev/null || true)
    [ -n "$common" ] && kitsrc=$(dirname "$common")/../shared/windows
fi
if [ "$1" = --find-kit ]; then
    if [ -f "$kitsrc/qt6.4.2-mingw-w64.tar.xz" ] || [ -f "$kitsrc/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
        echo "$kitsrc"; exit 0
    fi
    echo "no Qt kit for MinGW in $kitsrc (set RQTCOM_QT_MINGW)"; exit 3
fi
mkdir -p "$1"
out=$(cd "$1" && pwd)
build=${WIN_BUILD_DIR:-$root/build-windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)
triple=x86_64-w64-mingw32
toolchain_file=lib/cmake/Qt6/qt.toolchain.cmake
if [ -f "$kitsrc/$toolchain_file" ]; then
    kit=$(cd "$kitsrc" && pwd)
else
    tarball=$kitsrc/qt6.4.2-mingw-w64.tar.xz
    [ -f "$tarball" ] || { echo "build-windows: no Qt kit in $kitsrc (set RQTCOM_QT_MINGW)" >&2; exit 3; }
    kit=$build/qt6.4.2-mingw-w64
    # Unpack once per kit: the stamp remembers which tarball the folder came from.
    stamp="$(stat -c '%s %Y' "$tarball") $tarball"
    if [ "$(cat "$build/kit.stamp" 2>/dev/null)" != "$stamp" ]; then
        rm -rf "$kit"
        tar -C "$build" -xJf "$tarball"
        echo "$stamp" >"$build/kit.stamp"
    fi
fi
command -v $triple-g++-posix >/dev/null || { echo "build-windows: $triple-g++-posix missing (g++-mingw-w64-x86-64-posix)" >&2; exit 3; }

launcher=()
if command -v ccache >/dev/null 2>&1; then
    # As in build.sh: files compiled with a precompiled header are cached too.
    cc="env;CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime;ccache"
    launcher=("-DCMAKE_CXX_COMPILER_LAUNCHER=$cc" "-DCMAKE_C_COMPILER_LAUNCHER=$cc")
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$kit/$toolchain_file" \
    -DCMAKE_BUILD_TYPE=Release -DRQTCOM_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
# A test program the build no longer makes (say, one left out on Windows)
# must not stay behind for test-windows.sh to run.
if [ -f "$build/build.ninja" ]; then
    made=$(ninja -C "$build" -t targets all | sed -n 's|^bin/\(tst_[^:]*\.exe\):.*|\1|p')
    for f in "$build"/bin/tst_*.exe; do
        [ -e "$f" ] || continue
        grep -qxF "$(basename "$f")" <<<"$made" || rm -f "$f"
    done
fi
cmake --build "$build" --parallel "$(nproc)"

# What windeployqt would do: every DLL the programs load, found by walking the
# import tables, plus the plugins Qt loads by name at run time.
gccdir=$(dirname "$($triple-g++-posix -print-libgcc-file-name)")
dll_dirs=("$kit/bin" "$gccdir" "/usr/$triple/lib")
find_dll() {
    local d
    for d in "${dll_dirs[@]}"; do
        [ -f "$d/$1" ] && { echo "$d/$1"; return; }
    done
    return 0 # a Windows system DLL: nothing to copy
}
# deploy DEST FILE...: copies the DLLs FILE... need (transitively) into DEST.
deploy() {
    local dest=$1; shift
    local queue=("$@") seen=" " f dll src
    while [ ${#queue[@]} -gt 0 ]; do
        f=${queue[0]}; queue=("${queue[@]:1}")
        for dll in $($triple-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'); do
            case "$seen" in *" ${dll,,} "*) continue ;; esac
            seen+="${dll,,} "
            src=$(find_dll "$dll")
            [ -n "$src" ] || continue
            cp -u "$src" "$dest/"
            queue+=("$src")
        done
    done
}
plugins=(platforms/qwindows.dll platforms/qoffscreen.dll platforms/qminimal.dll
         styles/qwindowsvistastyle.dll)
deploy_plugins() {
    local p
    for p in "${plugins[@]}"; do
        mkdir -p "$1/$(dirname "$p")"
        cp -u "$kit/plugins/$p" "$1/$p"
        deploy "$1" "$kit/plugins/$p"
    done
}

# The build folder: test programs run there with no WINEPATH.
deploy "$build/bin" "$build"/bin/*.exe "$build"/bin/rqtcom-cli-plot.dll
deploy_plugins "$build/bin"

# The folder for surveyors: the programs, stripped, and what they load.
dest=$out/rqtcom
rm -rf "$dest" "$out/rqtcom-windows.zip"
mkdir -p "$dest"
for p in rqtcom.exe rqtcom-cli.exe rqtcom-cli-plot.dll; do
    [ -f "$build/bin/$p" ] && $triple-strip -o "$dest/$p" "$build/bin/$p"
done
deploy "$dest" "$dest"/*.exe "$dest"/rqtcom-cli-plot.dll
deploy_plugins "$dest"
# The interface's own translations are built into the program; Qt's catalogues
# for the same languages (standard buttons, file and port errors) go beside it.
for ts in "$root"/translations/rqtcom_*.ts; do
    [ -f "$ts" ] || continue
    locale=$(basename "$ts" .ts); locale=${locale#rqtcom_}
    for qm in qtbase qtserialport; do
        if [ -f "/usr/share/qt6/translations/${qm}_$locale.qm" ]; then
            mkdir -p "$dest/translations"
            cp "/usr/share/qt6/translations/${qm}_$locale.qm" "$dest/translations/"
        fi
    done
done

(cd "$out" && python3 - <<'EOF'
import os, zipfile
with zipfile.ZipFile("rqtcom-windows.zip", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for base, dirs, files in os.walk("rqtcom"):
        dirs.sort()
        for f in sorted(files):
            z.write(os.path.join(base, f))
EOF
)
echo "$out/rqtcom-windows.zip: $(du -h "$out/rqtcom-windows.zip" | cut -f1)"

# The setup program: the same folder, with Start-menu entries, an uninstaller
# and the choice of interface language.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
rm -f "$out"/rqtcom-*-setup.exe
if ! command -v makensis >/dev/null; then
    echo "build-windows: setup program SKIPPED: makensis is not installed (package nsis)"
    exit 0
fi
# One Delete per file and one RMDir per folder, deepest first: the uninstaller
# removes what setup put there and leaves what the user saved beside it.
list=$build/uninstall-files.nsh
(cd "$dest" && {
    find . -type f | sed 's|^\./||' | LC_ALL=C sort | while IFS= read -r f; do
        printf 'Delete "$INSTDIR\\%s"\n' "${f//\//\\}"
    done
    find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r | while IFS= read -r d; do
        printf 'RMDir "$INSTDIR\\%s"\n' "${d//\//\\}"
    done
}) >"$list"
setup=$out/rqtcom-$version-setup.exe
makensis -INPUTCHARSET UTF8 -V2 -DVERSION="$version" -DSOURCE="$dest" -DUNINSTALL_LIST="$list" \
    -DLICENSE_FILE="$root/LICENSE" -DOUTFILE="$setup" "$root/packaging/windows/rqtcom.nsi"
echo "$setup: $(du -h "$setup" | cut -f1)"
