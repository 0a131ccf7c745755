#!/usr/bin/env bash
# Runs a program with the Japanese input method on, as a shop leaves it: fcitx5
# with Mozc after keyboard-us, owning org.fcitx.Fcitx5 on the current D-Bus
# session, and the program started with QT_IM_MODULE=fcitx on the X display.
# Run as a normal user (Mozc's server refuses root) inside dbus-run-session and
# an X server; writes the fcitx5 profile into $HOME when it has none.
# Exits 77 when fcitx5 does not start. Usage: with_input_method.sh PROGRAM [ARGUMENT...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/window_manager.sh"
if [ ! -e "$HOME/.config/fcitx5/profile" ]; then
  mkdir -p "$HOME/.config/fcitx5"
  cat >"$HOME/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE
fi

# A real window manager when the display has none yet (the input method's
# windows and the program's are placed by it, as on a desktop).
openbox_pid=
Has_Window_Manager || Start_Window_Manager "$HOME/openbox.log"

fcitx5 >"$HOME/fcitx5.log" 2>&1 &
fcitx_pid=$!
owned=no
for _ in $(seq 1 100); do
  if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
       org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q "boolean true"; then
    owned=yes; break
  fi
  sleep 0.2
done
if [ "$owned" != yes ]; then
  echo "SKIP: fcitx5 did not start (no org.fcitx.Fcitx5 on the session bus)"; cat "$HOME/fcitx5.log"
  kill "$fcitx_pid" $openbox_pid 2>/dev/null; exit 77
fi
sleep 1
QT_IM_MODULE=fcitx QT_QPA_PLATFORM=xcb "$@"
status=$?
kill "$fcitx_pid" $openbox_pid 2>/dev/null
wait "$fcitx_pid" $openbox_pid 2>/dev/null
# Mozc's server detaches from fcitx5: end the one started for this home.
for proc in /proc/[0-9]*; do
  [ "$(readlink "$proc/exe" 2>/dev/null)" = /usr/lib/mozc/mozc_server ] || continue
  tr '\0' '\n' <"$proc/environ" 2>/dev/null | grep -qx "HOME=$HOME" && kill "${proc#/proc/}"
done
[ "$status" -ne 0 ] && { echo "--- fcitx5 log"; cat "$HOME/fcitx5.log"; }
exit "$status"
