#!/usr/bin/env bash
# The ZIP a Windows user downloads: its file list, then both programs started from an unpacked
# copy in a fresh Wine prefix of their own (splash, then the main window, closed again). Runs
# inside the X server of the test run.
#   package_test.sh CMAKE BUILD_DIR SOURCE_DIR WAIT_FOR_WINDOW_EXE
set -euo pipefail
cmake=$1 build=$2 source=$3 waiter=$4

log=$build/package-test.log
if ! "$cmake" --build "$build" --target package >"$log" 2>&1; then
  cat "$log"
  exit 1
fi
zips=("$build"/plugwarden-bootwarden-*-win64.zip)
[ ${#zips[@]} -eq 1 ] || { echo "expected one ZIP, found: ${zips[*]}" >&2; exit 1; }
zip=${zips[0]}

expected=$( { printf '%s\n' plugwarden.exe bootwarden.exe
              for f in "$source"/lang/*.ini "$source"/lang/*.bmp; do echo "Lang/${f##*/}"; done
              for f in "$source"/help/*; do echo "Help/${f##*/}"; done; } | sort)
actual=$("$cmake" -E tar tf "$zip" | grep -v '/$' | sort)
if [ "$expected" != "$actual" ]; then
  echo "The ZIP's files differ from what ships:" >&2
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  exit 1
fi

work=$(mktemp -d "$build/package-test.XXXXXX")
export WINEPREFIX=$work/prefix
. "$source/scripts/wine-env"
cleanup() { wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"; }
trap cleanup EXIT
mkdir -p "$work/Vexlin" "$WINEPREFIX"
(cd "$work/Vexlin" && "$cmake" -E tar xf "$zip")
cp "$waiter" "$work/"
# Wine output goes to files: its background services inherit stdout and would hold a pipe open.
wineboot -i >"$work/wine.log" 2>&1 </dev/null

status=0
for program in plugwarden:PlugwardenMain bootwarden:BootwardenMain; do
  name=${program%%:*} class=${program#*:}
  (cd "$work/Vexlin" && exec wine "$name.exe" >>"$work/wine.log" 2>&1 </dev/null) &
  code=0
  wine "$work/${waiter##*/}" "$class" >>"$work/wine.log" 2>&1 </dev/null || code=$?
  wait $! || true
  case $code in
    0) echo "$name: splash, main window, closed" ;;
    1) echo "$name: no main window appeared" >&2; status=1 ;;
    3) echo "$name: the main window appeared without the splash before it" >&2; status=1 ;;
    5) echo "$name: the main window did not close" >&2; status=1 ;;
    *) echo "$name: the watcher failed ($code)" >&2; status=1 ;;
  esac
done
exit $status
