#!/usr/bin/env bash
# Builds the Windows zip from a build tree, checks what it holds, unpacks it
# and runs the unpacked vardun.exe under Wine, as a user would run it.
#   windows_zip.sh CPACK BUILD_DIR SOURCE_DIR WINE_SESSION
# WINE_SESSION runs one Windows program in a Wine prefix of its own.
set -euo pipefail
cpack=$1
build_dir=$2
source_dir=$3
wine_session=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

"$cpack" -G ZIP --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
zips=("$work"/vardun-*-win32.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || fail "expected one zip in $work"
zip=${zips[0]}
folder=$(basename "$zip" .zip)

listing=$(cmake -E tar tf "$zip" | sort)
expected=$(printf '%s\n' "$folder/LICENSE.txt" "$folder/README.txt" "$folder/vardun.exe")
[ "$listing" = "$expected" ] || fail "the zip holds:"$'\n'"$listing"

mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
cd "$work/unpacked/$folder"
grep -q $'\r$' README.txt || fail "README.txt does not end its lines with CR LF"
cmp -s <(tr -d '\r' <README.txt) "$source_dir/README.md" || fail "README.txt is not the README"

# It runs from the unpacked folder alone: a DLL missing from the zip fails here.
status=0
python3 "$wine_session" ./vardun.exe /q /? >"$work/out" 2>"$work/err" || status=$?
[ $status -eq 1 ] || { cat "$work/err"; fail "vardun.exe /q /? exited with $status, not 1"; }
[ ! -s "$work/out" ] || fail "vardun.exe /q /? wrote to standard output"
tr -d '\r' <"$work/err" | grep -qx ' Vardun user date \[/s machine\]' ||
  { cat "$work/err"; fail "no usage text from vardun.exe"; }
echo "the zip holds the command and its texts, and the command runs from it"
