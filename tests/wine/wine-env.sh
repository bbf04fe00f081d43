# Sourced with one argument, the test area: sets the environment that keeps
# Wine inside it, and defines make_prefix_safe.
_area=$(realpath -m "$1")
export WINE=/usr/lib/wine/wine64
export WINE32=/usr/lib/wine/wine
export WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="$_area/prefix"
export HOME="$_area/home"
export XDG_DATA_HOME="$_area/xdg-data"
export XDG_CONFIG_HOME="$_area/xdg-config"
export XDG_CACHE_HOME="$_area/xdg-cache"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
export WINEDEBUG=-all
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
unset _area

# Replaces every link a prefix holds into the Linux file system by a plain
# folder and removes drive Z:, so that no clean run in it can reach this
# machine's files.
make_prefix_safe() {
  local prefix=$1 link
  while IFS= read -r -d '' link; do
    rm -f "$link"
    mkdir -p "$link"
  done < <(find "$prefix/drive_c/users" -type l -print0)
  rm -f "$prefix/dosdevices/z:" "$prefix/dosdevices/z::"
  if [ -e "$prefix/dosdevices/z:" ] || find "$prefix/drive_c/users" -type l | grep -q .; then
    echo "prefix $prefix is not safe" >&2
    return 1
  fi
}

# The machine field of a PE file's header in hex: 8664 for x86-64, 14c for
# i386.
pe_machine() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ' | sed 's/^0*//'
}
