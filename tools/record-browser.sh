#!/bin/sh
# Stands in for the web browser in the test Wine prefix: every address Wine is
# asked to open is appended, one per line, to $WINEPREFIX/wrivo-browser.log
# (WRIVO_BROWSER_LOG overrides the file). No browser, no network.
log=${WRIVO_BROWSER_LOG:-${WINEPREFIX:-/tmp}/wrivo-browser.log}
for address in "$@"; do
  printf '%s\n' "$address" >>"$log"
done
