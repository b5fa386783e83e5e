#!/bin/bash
# wine-session.sh start|stop DIR: a private Wine prefix, Xvfb display and persistent
# wineserver under DIR. Stops only what its own start began.
set -u
cmd=$1; dir=$2
export WINEPREFIX=$dir/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
mkdir -p "$dir"
case $cmd in
start)
  "$0" stop "$dir" 2>/dev/null
  rm -f "$dir/no-32-bit"
  # Some virtual machines run no 32-bit code at all: there the Win32 tests cannot run,
  # and wine-run.sh reports them skipped rather than failed.
  if ! wine --version </dev/null >/dev/null 2>&1; then
    wine --version </dev/null >"$dir/no-32-bit" 2>&1
    echo "WINE CANNOT RUN HERE ($(tail -1 "$dir/no-32-bit")): the Win32 tests are skipped" >&2
    exit 0
  fi
  n=90; while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n+1)); done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"; echo ":$n" >"$dir/display"
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  export DISPLAY=:$n
  if [ ! -f "$WINEPREFIX/system.reg" ]; then wineboot -i </dev/null >"$dir/wineboot.log" 2>&1; fi
  wineserver -p </dev/null >/dev/null 2>&1
  # A crashing test must fail, not wait on a dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
  # No window manager under Xvfb: Wine draws the captions itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f </dev/null >/dev/null 2>&1
  echo "wine session on :$n, prefix $WINEPREFIX"
  ;;
stop)
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
  if [ -f "$dir/xvfb.pid" ]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null; rm -f "$dir/xvfb.pid"; fi
  exit 0
  ;;
esac
