#!/usr/bin/env bash
# Runs every benchmark: natively from the native build and under Wine from the
# cross build. A benchmark program is named after its source, bench/NAME.cpp.
#   run-benchmarks.sh NATIVE_BUILD_DIR CROSS_BUILD_DIR [ARGS...]
# ARGS go to every benchmark. A missing program is reported and skipped; the
# exit status is non-zero when a benchmark that ran failed.
set -u
if [ $# -lt 2 ]; then
  echo "usage: $0 NATIVE_BUILD_DIR CROSS_BUILD_DIR [ARGS...]" >&2
  exit 2
fi
native=$1
cross=$2
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")

status=0
run() {
  local label=$1
  shift
  echo "== $label"
  "$@" || { echo "!! $label failed (exit $?)"; status=1; }
}

for src in "$root"/bench/*.cpp; do
  [ -e "$src" ] || continue
  name=$(basename "$src" .cpp)
  if [ -x "$native/bin/$name" ]; then
    run "$name (native)" "$native/bin/$name" "$@"
  else
    echo "== $name (native): not built, skipped"
  fi
  if [ -f "$cross/bin/$name.exe" ]; then
    run "$name (Wine)" "$here/wine-run.sh" "$cross/bin/$name.exe" "$@"
  else
    echo "== $name (Wine): not built, skipped"
  fi
done
exit $status
