#!/usr/bin/env bash
# Runs a Win32 program under Wine the way Wrivo is tested:
#   - our own prefix (WINEPREFIX, default: the build folder's wineprefix),
#     made once and shared by every test of that build;
#   - code page 936 through the zh_CN.UTF-8 locale (unless WRIVO_LOCALE says otherwise);
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
# winemenubuilder would copy shortcuts that installers make into the host's
# own menus and desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# WRIVO_LOCALE picks another locale, e.g. en_US.UTF-8 (code page 1252) to
# show that Wrivo's manifest gets it 936 anyway.
export LC_ALL=${WRIVO_LOCALE:-zh_CN.UTF-8}
export LANG=$LC_ALL

"$here/wine-prefix.sh" || exit 125

case "$1" in
  *.exe|*.EXE) ;;
  *) [ -f "$1.exe" ] && set -- "$1.exe" "${@:2}" ;;
esac

exec "$here/xvfb-session.sh" wine "$@"
