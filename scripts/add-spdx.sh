#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence's SPDX line at the top of every tracked source file that
# lacks it (after a #! line); files that have it are left alone, so running it
# again changes nothing. Golden files under tests/data are never touched.
#   scripts/add-spdx.sh          add the line where it is missing
#   scripts/add-spdx.sh --check  only list the files without it; status 1 if any
set -euo pipefail
cd "$(dirname "$0")/.."
readonly id="SPDX-License-Identifier: GPL-3.0-or-later"
check=false
[ "${1:-}" = "--check" ] && check=true

comment_for() {
    case $1 in
        *.cpp | *.h | *.h.in) echo "// $id" ;;
        CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | *.py | .ci/* | scripts/* | \
            packaging/completion/*) echo "# $id" ;;
        *) ;;
    esac
}

missing=0
while IFS= read -r file; do
    [ -f "$file" ] || continue
    line=$(comment_for "$file")
    [ -n "$line" ] || continue
    head -n 5 "$file" | grep -q "SPDX-License-Identifier:" && continue
    missing=$((missing + 1))
    if $check; then
        echo "$file"
        continue
    fi
    if head -n 1 "$file" | grep -q '^#!'; then
        { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } >"$file.spdx"
    else
        { echo "$line"; cat "$file"; } >"$file.spdx"
    fi
    chmod --reference="$file" "$file.spdx"
    mv "$file.spdx" "$file"
done < <(git ls-files -- src tests bench fuzz packaging scripts cmake .ci CMakeLists.txt |
    grep -v '^tests/data/')

if $check; then
    [ $missing -eq 0 ] || exit 1
else
    echo "add-spdx: $missing file(s) given the SPDX line"
fi
