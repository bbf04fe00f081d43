#!/usr/bin/env bash
# Screenshots of the cookies manager, with cookies and empty, taken from a
# virtual X display (CLARIMO_SHOT_DPI=144 for a larger DPI):
#   tests/tools/cookies_shots.sh OUTPUT_FOLDER
# Needs a built win64 tree (scripts/build win64).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "${1:?output folder}")
build=${CLARIMO_BUILD_DIR:-$root/build}
template="$build/test-template"
[ -d "$template/prefix" ] || "$root/tests/wine/make-template.sh" "$template"
area=$(mktemp -d "$build/shots.XXXX")
source "$root/tests/wine/wine-env.sh" "$area"
cp -a "$template/prefix" "$WINEPREFIX"
make_prefix_safe "$WINEPREFIX"
dest="$WINEPREFIX/drive_c/clarimo"
mkdir -p "$dest" "$out"
cp "$build/win64/bin/cookies_shots.exe" "$dest/"
trap '"$WINESERVER" -k 2>/dev/null || true; rm -rf "$area"' EXIT
cd "$dest"
xvfb-run -a -s "-screen 0 1024x640x24" bash -c '
  "$WINESERVER" -p
  # No window manager runs here: Wine places and draws every window itself.
  "$WINE" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  if [ -n "${CLARIMO_SHOT_DPI:-}" ]; then
    "$WINE" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$CLARIMO_SHOT_DPI" /f >/dev/null 2>&1
    "$WINESERVER" -k; "$WINESERVER" -p
  fi
  for mode in ${SHOT_MODES:-full empty}; do
    "$WINE" cookies_shots.exe $mode &
    pid=$!
    sleep 5
    xwd -root -silent | convert xwd:- "'"$out"'/cookies-$mode.png"
    wait $pid || echo "cookies_shots.exe $mode failed: $?"
  done'
ls "$out"
