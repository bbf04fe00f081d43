#!/usr/bin/env bash
# Runs one test program under Wine in a copy of the template prefix:
#   run-test.sh BIN_DIR PROGRAM.exe [gtest arguments]
# CLARIMO_TEST_TEMPLATE names the template area (make-template.sh), and
# CLARIMO_TEST_WORK the folder under which each run gets its own area.
# The copy is removed afterwards unless CLARIMO_KEEP_TEST_AREA=1.
set -euo pipefail
bin=$(realpath "$1")
program=$2
shift 2
template=${CLARIMO_TEST_TEMPLATE:?set CLARIMO_TEST_TEMPLATE to the template area}
work=${CLARIMO_TEST_WORK:-$template/..}
mkdir -p "$work"
area=$(mktemp -d "$(realpath "$work")/${program%.exe}.XXXX")
here=$(dirname "$(realpath "$0")")
source "$here/wine-env.sh" "$area"
# A 32-bit program runs under the 32-bit loader, in the same prefix; its log
# gets a name of its own, as both builds' programs share one run.
suffix=
if [ "$(pe_machine "$bin/$program")" = 14c ]; then
  WINE=$WINE32
  suffix=.win32
  if [ ! -f "$template/prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "the template prefix has no 32-bit part: make it again with wine32 installed" >&2
    rm -rf "$area"
    exit 1
  fi
fi
cp -a "$template/prefix" "$WINEPREFIX"
make_prefix_safe "$WINEPREFIX"

# The programs run from the prefix's own C: drive.
dest="$WINEPREFIX/drive_c/clarimo"
mkdir -p "$dest"
cp "$bin"/*.exe "$dest/"
[ -f "$bin/readme.txt" ] && cp "$bin/readme.txt" "$dest/"

cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  if [ "${CLARIMO_KEEP_TEST_AREA:-0}" != 1 ]; then rm -rf "$area"; fi
}
trap cleanup EXIT
cd "$dest"
# The output is also kept for the run's closing count.
logs="$(realpath "$work")/logs"
mkdir -p "$logs"
"$WINE" "$dest/$program" --gtest_color=no "$@" 2>&1 | tee "$logs/${program%.exe}$suffix.log"

