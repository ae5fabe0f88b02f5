#!/usr/bin/env bash
# A version.dll placed beside a program, or in its current folder, is never loaded once the
# program has hardened its loading. Runs in the test run's Wine prefix.
#   dll_planting_test.sh PROBE_EXE PLANT_DLL MODULE_DLL
set -euo pipefail
probe=$1 plant=$2 module=$3
work=$(mktemp -d "$WINEPREFIX.planting.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$probe" "$work/dll_planting_probe.exe"
cp "$plant" "$work/version.dll"  # any DLL will do as the plant
cd "$work"
# Windows takes the first version.dll on the search path; Wine would take its own built-in one.
# Wine output goes to files: its background services inherit stdout and would hold a pipe open.
wine reg add 'HKCU\Software\Wine\AppDefaults\dll_planting_probe.exe\DllOverrides' /v version /d native,builtin /f \
  >wine.log 2>&1 </dev/null
run() {
  local code=0
  wine dll_planting_probe.exe "$1" "$(winepath -w "$module" 2>>wine.log)" >>wine.log 2>&1 </dev/null || code=$?
  echo $code
}
plain=$(run plain)
hardened=$(run hardened)
if [ "$plain" != 3 ]; then
  echo "Without the hardening the planted version.dll was not loaded (probe: $plain), so this proves nothing." >&2
  exit 1
fi
if [ "$hardened" != 0 ]; then
  echo "With the hardening the probe gave $hardened, want 0 (3: the planted version.dll was loaded)." >&2
  exit 1
fi
echo "Without the hardening the planted version.dll loads; with it, the system's, which reads the resource."
