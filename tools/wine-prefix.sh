#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX once (about half a minute), under a lock so
# that tests started in parallel wait for one another instead of racing.
# With WRIVO_PREFIX_FROM naming a ready prefix, the new one is a copy of it.
set -u
: "${WINEPREFIX:?}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The stamp holds the version of these settings: a prefix made by an older
# version of this script is made again.
version=2
ready() { [ "$(cat "$WINEPREFIX/.wrivo-ready" 2>/dev/null)" = "$version" ]; }
ready && exit 0

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
ready && exit 0

rm -rf "$WINEPREFIX"
# A prefix for a test slot (tools/run-tests.sh) is a copy of a ready one, made
# in a few seconds where wineboot takes several times that.
from=${WRIVO_PREFIX_FROM:-}
if [ -n "$from" ] && [ "$(cat "$from/.wrivo-ready" 2>/dev/null)" = "$version" ]; then
  cp -a "$from" "$WINEPREFIX" && exit 0
  echo "wine-prefix: copying $from failed; making the prefix afresh" >&2
  rm -rf "$WINEPREFIX"
fi

export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.UTF-8
# wineboot needs no display; DISPLAY is cleared so a broken one cannot stall it.
DISPLAY= wineboot -i >/dev/null 2>&1 || { echo "wine-prefix: wineboot failed" >&2; exit 1; }
# Without a window manager Wine waits ~2 s on every DestroyWindow of a visible
# top-level window unless windows are unmanaged.
DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# Web pages go to a recorder instead of a browser (tests read what it wrote).
DISPLAY= wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$here/record-browser.sh" /f >/dev/null 2>&1
wineserver -w
echo "$version" >"$WINEPREFIX/.wrivo-ready"
