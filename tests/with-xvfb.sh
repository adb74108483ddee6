#!/bin/sh
# Runs a command on a private Xvfb and exits with its status:
#   tests/with-xvfb.sh [-s "Xvfb options"] command [args...]
# The server picks a free display number itself and says which (-displayfd),
# so that any number of these, and the end-to-end tests' own servers, start
# side by side without racing for one (xvfb-run -a probes for a free number
# first and starts the server after, which two at once can both pick).
set -eu
options="-screen 0 1024x768x24"
if [ "${1:-}" = "-s" ]; then
  options="$2"
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [-s \"Xvfb options\"] command [args...]" >&2; exit 2; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/velmo-xvfb-XXXXXX")
server=""
stop() {
  [ -z "$server" ] || { kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; }
  rm -rf "$dir"
}
trap stop EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# -noreset: the server would otherwise reset whenever its last client leaves,
# refusing connections for a moment between two clients.
# shellcheck disable=SC2086
: >"$dir/display"
Xvfb -displayfd 3 $options -nolisten tcp -noreset 3>>"$dir/display" >"$dir/log" 2>&1 &
server=$!
tries=0
# The number is written as one line once the server accepts connections.
until [ "$(wc -l <"$dir/display")" -ge 1 ]; do
  tries=$((tries + 1))
  if ! kill -0 "$server" 2>/dev/null || [ "$tries" -gt 300 ]; then
    echo "Xvfb did not start within 30 s:" >&2
    cat "$dir/log" >&2
    exit 1
  fi
  sleep 0.1
done
DISPLAY=":$(cat "$dir/display")"
export DISPLAY
unset WAYLAND_DISPLAY

status=0
"$@" || status=$?
exit $status
