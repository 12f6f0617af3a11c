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
set -u
build=$(cd "$1" && pwd)
shift
export WRIVO_TEST_ATTEMPTS=$build/Testing/failed-runs.log
mkdir -p "$build/Testing/Temporary"
rm -f "$WRIVO_TEST_ATTEMPTS" "$build/Testing/Temporary/LastTestsFailed.log"

(cd "$build" && ctest "$@")
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
