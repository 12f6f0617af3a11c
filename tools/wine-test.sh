#!/usr/bin/env bash
# Runs one test (a Win32 test program through wine-run.sh, or an end-to-end
# script) so that it never inherits a stalled Wine and never leaves one:
#   wine-test.sh CMD ARGS...
# Tests run one at a time, so when a test starts no program of its prefix
# ($WINEPREFIX) should still run but a server lingering for a few seconds.
# Where i386 runs emulated (qemu-user), Wine's start-up occasionally stalls
# for good (a session-start wineboot waiting on a services.exe that never
# answers); every later start in that prefix then waits too. So:
#   - before the test, a session-start wineboot of the prefix that has run
#     for $stale seconds or more (it normally ends within a few) means such a
#     stall, left by a test that was stopped: every process of the prefix is
#     ended;
#   - while the test runs, the same check every 10 s ends a stall as it
#     happens (the test then fails);
#   - after a failed test, every process of the prefix is ended, so that a
#     repeat of the test (make test repeats a failed test once where i386 is
#     emulated) starts from a fresh Wine.
# The test's own exit status is passed on unchanged. When $WRIVO_TEST_ATTEMPTS
# names a file (tools/run-tests.sh), a failed run adds one line to it: the
# test's name ($WRIVO_TEST_NAME) and "stalled" when this script ended a
# stalled Wine while the test ran, else "failed".
set -u
: "${WINEPREFIX:?}"
stale=60

# Run in parallel by tools/run-tests.sh, a test holds one slot: the slot's
# own display from WRIVO_SLOT_DISPLAYS and, for every slot but the first, its
# own prefix beside the build's. The first slot whose lock file (in
# WRIVO_SLOT_LOCKS) this script can lock is taken; the lock is held on
# descriptor 9 while the script runs and is never handed to the test, so a
# Wine server that outlives the test holds no slot. Within a slot tests run
# one at a time as before. The script starts itself again with the slot, so
# that its own environment names the slot's prefix and the checks below never
# take it (or another slot's script) for a process of the wrong prefix.
if [ -n "${WRIVO_SLOT_DISPLAYS:-}" ] && [ -n "${WRIVO_SLOT_LOCKS:-}" ] && [ -z "${WRIVO_SLOT:-}" ]; then
  read -r -a slot_displays <<<"$WRIVO_SLOT_DISPLAYS"
  # CTest runs no more tests at once than there are slots: one is free, or
  # about to be as a test's script ends.
  slot=""
  while [ -z "$slot" ]; do
    for ((candidate = 0; candidate < ${#slot_displays[@]}; ++candidate)); do
      exec 9>"$WRIVO_SLOT_LOCKS/slot-$candidate.lock"
      if flock -n 9; then
        slot=$candidate
        break
      fi
      exec 9>&-
    done
    [ -n "$slot" ] || sleep 0.2
  done
  export WRIVO_SLOT=$slot DISPLAY=${slot_displays[$slot]}
  [ "$slot" = 0 ] || export WINEPREFIX=$WINEPREFIX-$slot
  exec "$0" "$@"
fi

# This script and the processes that started it (ctest, make, a shell that
# exported WINEPREFIX) are never ended.
ancestors=" "
pid=$$
while [ -n "$pid" ] && [ "$pid" -gt 1 ]; do
  ancestors="$ancestors$pid "
  pid=$(awk '/^PPid:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
done

# The PIDs of processes whose environment names our prefix, with their age.
prefix_processes() {
  local dir pid
  for dir in /proc/[0-9]*; do
    pid=${dir#/proc/}
    case "$ancestors" in *" $pid "*) continue ;; esac
    if { tr "\0" "\n" <"$dir/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid $(ps -o etimes= -p "$pid" 2>/dev/null | tr -d ' ')"
    fi
  done
}

# Ends every process of the prefix. The list is taken whole first, so the
# commands that make it are not among them.
end_wine_processes() {
  local list pid age
  list=$(prefix_processes)
  while read -r pid age; do
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  done <<<"$list"
}

# A wineboot of the prefix running for $stale seconds or more.
stalled_wineboot() {
  local pid age
  for pid in $(pgrep -f 'wineboot'); do
    { tr "\0" "\n" <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    age=$(ps -o etimes= -p "$pid" 2>/dev/null | tr -d ' ')
    [ -n "$age" ] && [ "$age" -ge "$stale" ] && return 0
  done
  return 1
}

# Marked when a stall was ended while the test ran.
stall_mark=$(mktemp)
trap 'rm -f "$stall_mark"' EXIT

end_stalled_wine() {
  echo "wine-test: a wineboot of $WINEPREFIX has stalled; ending the prefix's processes" >&2
  wineserver -k 2>/dev/null
  end_wine_processes
}

stalled_wineboot && end_stalled_wine

# While the test runs, a stall ends it within seconds rather than at the
# test's time limit: the test fails and is repeated.
# (The shell's own notices of its sleeps ending go nowhere; the sleeps hold
# none of the test's output open, or CTest would wait for them.)
(
  trap - EXIT
  exec 9>&-
  ancestors="$ancestors$BASHPID "
  exec 3>&2 2>/dev/null
  while sleep 10 </dev/null >/dev/null 3>&-; do
    if stalled_wineboot; then
      echo stalled >"$stall_mark"
      end_stalled_wine 2>&3
    fi
  done
) &
watcher=$!

"$@" 9>&-
status=$?
{
  pkill -P "$watcher"
  kill "$watcher"
  wait "$watcher"
} 2>/dev/null
if [ "$status" != 0 ]; then
  wineserver -k 2>/dev/null
  end_wine_processes
  if [ -n "${WRIVO_TEST_ATTEMPTS:-}" ]; then
    cause=failed
    [ -s "$stall_mark" ] && cause=stalled
    echo "${WRIVO_TEST_NAME:-$1} $cause" >>"$WRIVO_TEST_ATTEMPTS"
  fi
fi
exit "$status"
