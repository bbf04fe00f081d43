#!/usr/bin/env bash
# Screenshots of the junk page in its states and of the junk options dialog:
#   tests/tools/junk_page_shots.sh OUTDIR      (ONLY=name takes just one)
# Builds the 64-bit tree and runs junk_page_host.exe under Xvfb in a safe
# throw-away prefix; the host writes shot-ready.txt once its state shows.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "${1:?usage: junk_page_shots.sh OUTDIR}")
mkdir -p "$out"
build=${CLARIMO_BUILD_DIR:-$root/build}
"$root/scripts/build" win64 >/dev/null
template="$build/test-template"
[ -d "$template/prefix" ] || "$root/tests/wine/make-template.sh" "$template" >/dev/null
area=$(mktemp -d "$build/shots.XXXX")
source "$root/tests/wine/wine-env.sh" "$area"
cp -a "$template/prefix" "$WINEPREFIX"
make_prefix_safe "$WINEPREFIX"
mkdir -p "$WINEPREFIX/drive_c/clarimo"
cp "$build/win64/bin/junk_page_host.exe" "$WINEPREFIX/drive_c/clarimo/"
trap '"$WINESERVER" -k 2>/dev/null || true; rm -rf "$area"' EXIT
cd "$WINEPREFIX/drive_c/clarimo"

# Runs inside the X display: start the host, wait for its state, capture.
cat >"$area/shoot-inside.sh" <<'INSIDE'
set -u
png=$1
shift
rm -f shot-ready.txt
"$WINE" junk_page_host.exe "$@" 2>/dev/null &
for _ in $(seq 1 120); do [ -f shot-ready.txt ] && break; sleep 0.5; done
sleep 0.5
xwd -root -silent | convert xwd:- "$png"
# Owned pop-ups (dialogs) are missing from a capture of the root window
# here: capture each named top-level window and lay it over, lowest first.
xwininfo -root -tree | grep -E '^ +0x[0-9a-f]+ "' | grep -v 'Default IME' | tac |
  while read -r id rest; do
    geometry=$(echo "$rest" | grep -oE '[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+' | head -1)
    [ -n "$geometry" ] || continue
    position=${geometry#*+}
    x=${position%%+*}
    y=${position#*+}
    xwd -id "$id" -silent | convert xwd:- "$png.window.png" &&
      convert "$png" "$png.window.png" -geometry "+$x+$y" -composite "$png"
    rm -f "$png.window.png"
  done
"$WINESERVER" -k
INSIDE

shoot() {  # name, host arguments...
  local name=$1
  shift
  [ -n "${ONLY:-}" ] && [ "$ONLY" != "$name" ] && return 0
  xvfb-run -a -s "-screen 0 800x640x24" bash "$area/shoot-inside.sh" "$out/$name.png" "$@" >/dev/null 2>&1 || true
  echo "$out/$name.png"
}
shoot ready ready
shoot scanning scanning
shoot results results
shoot cleaned clean
shoot options options
shoot options-types options types
