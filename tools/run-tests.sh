#!/usr/bin/env bash
# Runs a build's CTest tests and says plainly which passed only on a repeat:
#   run-tests.sh BUILD_DIR CTEST_ARGS...
# Where i386 runs emulated, make test gives a failed test one more run
# (CTest's --repeat until-pass:2), because emulated Wine now and then stalls
# at start-up for good. The repeat must not hide a flaky test: every failed
# run is noted by tools/wine-test.sh (the test's name, and whether it ended a
# stalled Wine), and after the run
#   - a test that passed on its repeat after a stalled Wine is named in a
#     warning: the repeat did what it is there for;
#   - a test that passed on its repeat after failing by itself fails the run:
#     it is flaky, whatever the repeat says.
#
#   run-tests.sh BUILD_DIR [--slots N] [--repeat-if-emulated] CTEST_ARGS...
# --repeat-if-emulated asks for that repeat when i386 runs emulated. It is
# decided here, as the tests start, and not when make reads the Makefile: on a
# fresh machine tools/install-deps.sh registers the emulator only after that.
#
#   run-tests.sh BUILD_DIR --slots N CTEST_ARGS...
# runs the Win32 tests N at a time. Each of N slots has a display of its own
# (a private Xvfb started here) and a Wine prefix of its own (the build's
# wineprefix for the first, copies of it named wineprefix-1 ... for the
# others), so that tests running side by side share no keyboard focus, mouse
# pointer, window or Wine server. CTest runs at most N tests at once, and
# tools/wine-test.sh gives each the first free slot: it holds a lock on the
# slot's file in $WRIVO_SLOT_LOCKS while the test runs, and gives the test the
# slot's display and prefix.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "$1" && pwd)
shift
slots=0
if [ "${1:-}" = "--slots" ]; then
  slots=$2
  shift 2
fi
export WRIVO_TEST_ATTEMPTS=$build/Testing/failed-runs.log
mkdir -p "$build/Testing/Temporary"
rm -f "$WRIVO_TEST_ATTEMPTS" "$build/Testing/Temporary/LastTestsFailed.log"

repeat_args=()
if [ "${1:-}" = "--repeat-if-emulated" ]; then
  shift
  grep -qs enabled /proc/sys/fs/binfmt_misc/qemu-i386 && repeat_args=(--repeat until-pass:2)
fi

slot_args=()
if [ "$slots" -gt 0 ]; then
  xvfb_pids=()
  stop_displays() { for pid in "${xvfb_pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done; }
  trap stop_displays EXIT
  trap 'exit 130' INT TERM
  base=$build/wineprefix
  WINEPREFIX=$base "$here/wine-prefix.sh" || exit 1
  displays=""
  export WRIVO_SLOT_LOCKS=$build/Testing/slots
  rm -rf "$WRIVO_SLOT_LOCKS"
  mkdir -p "$WRIVO_SLOT_LOCKS"
  for ((slot = 0; slot < slots; ++slot)); do
    if [ $slot -gt 0 ]; then
      WINEPREFIX=$base-$slot WRIVO_PREFIX_FROM=$base "$here/wine-prefix.sh" || exit 1
    fi
    # -displayfd: Xvfb picks a free display number and says which.
    fifo_dir=$(mktemp -d)
    mkfifo "$fifo_dir/fd"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo_dir/fd" >/dev/null 2>&1 &
    xvfb_pids+=($!)
    number=""
    read -r -t 20 number <"$fifo_dir/fd"
    rm -rf "$fifo_dir"
    [ -n "$number" ] || { echo "run-tests: Xvfb did not start" >&2; exit 125; }
    for _ in $(seq 1 100); do xdpyinfo -display ":$number" >/dev/null 2>&1 && break; sleep 0.1; done
    displays="$displays :$number"
  done
  export WRIVO_SLOT_DISPLAYS=$displays
  slot_args=(-j "$slots")
fi

(cd "$build" && ctest "${slot_args[@]}" "${repeat_args[@]}" "$@")
status=$?

# Tests that failed for good are CTest's own report; the rest of the failed
# runs were repeated and passed.
failed_for_good=$(cut -d: -f2 "$build/Testing/Temporary/LastTestsFailed.log" 2>/dev/null)
flaky=""
while read -r name cause; do
  [ -n "$name" ] || continue
  grep -qxF "$name" <<<"$failed_for_good" && continue
  if [ "$cause" = stalled ]; then
    echo "run-tests: WARNING: $name passed only on its repeat, after Wine stalled at start-up" >&2
  else
    flaky="$flaky $name"
  fi
done < <(sort -u "$WRIVO_TEST_ATTEMPTS" 2>/dev/null)

if [ -n "$flaky" ]; then
  echo "run-tests: FLAKY: these tests failed, then passed on their repeat:$flaky" >&2
  echo "run-tests: a repeat is only for a stalled Wine; fix the test (its first failure is in the output above)" >&2
  [ "$status" = 0 ] && status=1
fi
exit "$status"
