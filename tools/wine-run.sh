#!/usr/bin/env bash
# Runs a Win32 program under Wine the way Wrivo is tested:
#   - our own prefix (WINEPREFIX, default: the build folder's wineprefix),
#     made once and shared by every test of that build;
#   - code page 936 through the zh_CN.UTF-8 locale;
#   - an X display: the current one when it answers, else a private Xvfb.
# Used by CTest as the cross-compiling emulator and by 'make run'.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ -z "${WINEPREFIX:-}" ]; then
  # The program lives in <build>/bin; the prefix goes beside it.
  prog_dir=$(cd "$(dirname "$1")" && pwd)
  WINEPREFIX="$(dirname "$prog_dir")/wineprefix"
fi
export WINEPREFIX
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8

"$here/wine-prefix.sh" || exit 125

case "$1" in
  *.exe|*.EXE) ;;
  *) [ -f "$1.exe" ] && set -- "$1.exe" "${@:2}" ;;
esac

exec "$here/xvfb-session.sh" wine "$@"
