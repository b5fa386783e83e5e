#!/bin/bash
# Runs a Win32 program in the private session of wine-session.sh (MORLA_WINE_DIR).
dir=${MORLA_WINE_DIR:-$(cd "$(dirname "$1")" && pwd)/wine}
export WINEPREFIX=$dir/prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
if [ -f "$dir/no-32-bit" ]; then cat "$dir/no-32-bit" >&2; exit 77; fi  # see wine-session.sh
[ -f "$dir/display" ] && export DISPLAY=$(cat "$dir/display")
exec wine "$@"
