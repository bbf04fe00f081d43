#!/usr/bin/env bash
# Screenshots of the privacy page (top, scrolled to Programs, with the
# balloon) and of its please-wait window, taken from a virtual X display:
#   tests/tools/privacy_shots.sh OUTPUT_FOLDER [THEME]
# Needs a built win64 tree. CLARIMO_SHOT_DPI=144 shoots at another DPI.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "${1:?output folder}")
theme=${2:-0}
build=${CLARIMO_BUILD_DIR:-$root/build}
template="$build/test-template"
[ -d "$template/prefix" ] || "$root/tests/wine/make-template.sh" "$template"
area=$(mktemp -d "$build/shots.XXXX")
source "$root/tests/wine/wine-env.sh" "$area"
cp -a "$template/prefix" "$WINEPREFIX"
make_prefix_safe "$WINEPREFIX"
dest="$WINEPREFIX/drive_c/clarimo"
mkdir -p "$dest" "$out"
cp "$build/win64/bin/privacy_shots.exe" "$dest/"
trap '"$WINESERVER" -k 2>/dev/null || true; rm -rf "$area"' EXIT
cd "$dest"
export theme
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  "$WINESERVER" -p
  # No window manager runs here: Wine places and draws every window itself.
  "$WINE" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  if [ -n "${CLARIMO_SHOT_DPI:-}" ]; then
    "$WINE" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$CLARIMO_SHOT_DPI" /f >/dev/null 2>&1
    "$WINESERVER" -k; sleep 1; "$WINESERVER" -p
  fi
  for mode in ${SHOT_MODES:-top programs balloon progress}; do
    "$WINE" privacy_shots.exe $mode $theme &
    pid=$!
    sleep 5
    png="'"$out"'/privacy-$mode-$theme.png"
    xwd -root -silent | convert xwd:- "$png"
    # An owned pop-up is black in a capture of the root window here: lay a
    # capture of the please-wait window itself over it.
    xwininfo -root -tree | grep -E "^ +0x[0-9a-f]+ \"Please Wait" | while read -r id rest; do
      geometry=$(echo "$rest" | grep -oE "[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+" | head -1)
      position=${geometry#*+}
      xwd -id "$id" -silent | convert xwd:- "$png.window.png" &&
        convert "$png" "$png.window.png" -geometry "+${position%%+*}+${position#*+}" -composite "$png"
      rm -f "$png.window.png"
    done
    wait $pid || echo "privacy_shots.exe $mode failed: $?"
  done'
ls "$out"
