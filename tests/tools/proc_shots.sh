#!/usr/bin/env bash
# Screenshots of the process page at two sizes and of its details
# window, taken from a virtual X display:
#   tests/tools/proc_shots.sh OUTPUT_FOLDER
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
cp "$build/win64/bin/proc_shots.exe" "$build/win64/bin/proc_idle.exe" "$dest/"
trap '"$WINESERVER" -k 2>/dev/null || true; rm -rf "$area"' EXIT
cd "$dest"
xvfb-run -a -s "-screen 0 1024x640x24" bash -c '
  "$WINESERVER" -p
  # No window manager runs here: Wine places and draws every window itself.
  "$WINE" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  for mode in ${SHOT_MODES:-page small details modules}; do
    "$WINE" proc_shots.exe $mode &
    pid=$!
    sleep 5
    xwd -root -silent | convert xwd:- "'"$out"'/proc-$mode.png"
    wait $pid || echo "proc_shots.exe $mode failed: $?"
  done'
ls "$out"
