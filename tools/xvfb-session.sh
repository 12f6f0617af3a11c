#!/usr/bin/env bash
# Runs a command with an X display.
#   xvfb-session.sh [--private] CMD ARGS...
# Without --private an X display that answers ($DISPLAY) is used as it is;
# otherwise (or with --private) a private Xvfb is started, waited for until it
# answers, exported as DISPLAY for the command, and stopped afterwards. Only a
# server this script started is ever stopped.
set -u

private=0
if [ "${1:-}" = "--private" ]; then private=1; shift; fi

display_answers() { xdpyinfo -display "$1" >/dev/null 2>&1; }

if [ $private = 0 ] && [ -n "${DISPLAY:-}" ] && display_answers "$DISPLAY"; then
  exec "$@"
fi

fifo_dir=$(mktemp -d)
mkfifo "$fifo_dir/fd"
# -displayfd lets Xvfb pick a free display number and tell us which.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo_dir/fd" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 number <"$fifo_dir/fd" || number=""
rm -rf "$fifo_dir"
if [ -z "$number" ]; then
  echo "xvfb-session: Xvfb did not start" >&2
  kill "$xvfb_pid" 2>/dev/null
  exit 125
fi
export DISPLAY=":$number"
for _ in $(seq 1 100); do display_answers "$DISPLAY" && break; sleep 0.1; done

stop_xvfb() { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
trap stop_xvfb EXIT INT TERM

"$@"
