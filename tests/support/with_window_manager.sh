#!/usr/bin/env bash
# Runs a program on its own Xvfb screen of the given size under a real window
# manager (openbox), as a user's desktop has one: window frames, placement,
# stacking and focus come from openbox, not from Qt's offscreen platform.
# Works as root and as a normal user; both servers end with the program.
# Usage: with_window_manager.sh WIDTHxHEIGHT PROGRAM [ARGUMENT...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/window_manager.sh"
SIZE=$1
shift

for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool missing (scripts/install-deps.sh installs it)"; exit 1; }
done

WORK=$(mktemp -d /tmp/paruberina-wm.XXXXXX)
xvfb_pid=
openbox_pid=
finish() {
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null && wait "$openbox_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$WORK"
}
trap finish EXIT
mkdir -m 0700 "$WORK/runtime"

# Xvfb picks a free display and writes its number to the pipe.
mkfifo "$WORK/display"
exec {display_fd}<>"$WORK/display"
Xvfb -displayfd "$display_fd" -screen 0 "${SIZE}x24" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 -u "$display_fd" display_number || { echo "FAIL: Xvfb did not start"; cat "$WORK/xvfb.log"; exit 1; }
exec {display_fd}>&-
export DISPLAY=":$display_number"

Start_Window_Manager "$WORK/openbox.log" \
  || { echo "FAIL: openbox did not start"; cat "$WORK/openbox.log"; exit 1; }

XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb "$@"
