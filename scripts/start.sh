#!/bin/bash
# Installs what is needed, builds Morla and starts it under Wine: on the user's X display
# when there is one, else on a private Xvfb display, saving a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
# Without the compiler suite, the stand-in root of the test tree serves as the compiler root.
exe=$root/out/w32/suite/bin/morla.exe
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if ! wine --version </dev/null >/dev/null 2>&1; then
  echo "Morla is built ($exe), but Wine cannot run here: this machine runs no 32-bit code." >&2
  exit 1
fi
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$exe" "$@"
fi
session=$root/out/start
"$root/scripts/wine-session.sh" start "$session"
trap '"$root/scripts/wine-session.sh" stop "$session"' EXIT
MORLA_WINE_DIR=$session "$root/scripts/wine-run.sh" "$exe" "$@" &
sleep "${MORLA_SCREENSHOT_DELAY:-8}"
DISPLAY=$(cat "$session/display") import -window root "$root/out/morla-screenshot.png"
echo "No X display: Morla ran under Xvfb; screenshot in $root/out/morla-screenshot.png"
