#!/usr/bin/env bash
# Screenshots of the Update Wizard in each of its outcomes, at 96 and 144 DPI:
#   tests/tools/update-window-shots.sh OUTDIR
# Builds the 64-bit tree, runs update_window_shots.exe in a throw-away copy of
# the test prefix under Xvfb, and writes OUTDIR/<dpi>-<outcome>.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "${1:-}" != --inside ]; then
  out=$(realpath -m "${1:?output folder}")
  mkdir -p "$out"
  build=${CLARIMO_BUILD_DIR:-$root/build}
  "$root/scripts/build" win64 >/dev/null
  template="$build/test-template"
  [ -d "$template/prefix" ] || "$root/tests/wine/make-template.sh" "$template"
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$out" "$build" "$template"
fi
out=$2 build=$3 template=$4
mkdir -p "$build/test-runs"
area=$(mktemp -d "$build/test-runs/update-shots.XXXX")
source "$root/tests/wine/wine-env.sh" "$area"
cp -a "$template/prefix" "$WINEPREFIX"
make_prefix_safe "$WINEPREFIX"
trap '"$WINESERVER" -k 2>/dev/null || true; rm -rf "$area"' EXIT
dest="$WINEPREFIX/drive_c/clarimo"
mkdir -p "$dest"
cp "$build/win64/bin/update_window_shots.exe" "$dest/"
cd "$dest"
for dpi in 96 144; do
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
  "$WINE" update_window_shots.exe | while read -r word name; do
    [ "$word" = SHOT ] || continue
    name=${name%$'\r'}
    sleep 0.3
    xwd -root -silent | convert xwd:- "$out/$dpi-$name.png"
    touch "$dest/shot-taken"
  done
done
echo "screenshots in $out"
