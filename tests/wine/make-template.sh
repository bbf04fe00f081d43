#!/usr/bin/env bash
# Makes a Wine prefix that tests can copy and safely clean in:
#   make-template.sh AREA
# AREA/prefix is the prefix. Nothing in it reaches outside AREA: the profile
# folders that wineboot links to the home folder become plain folders, the
# recycle bin (XDG trash) and menu files stay inside AREA, and drive Z: (the
# Linux root) is removed.
set -euo pipefail
area=$(realpath -m "$1")
source "$(dirname "$0")/wine-env.sh" "$area"
rm -rf "$WINEPREFIX"
mkdir -p "$area"
"$WINE" wineboot -i >"$area/wineboot.log" 2>&1 || { cat "$area/wineboot.log"; exit 1; }
"$WINESERVER" -w
make_prefix_safe "$WINEPREFIX"
"$WINESERVER" -w
echo "template prefix ready: $WINEPREFIX"
