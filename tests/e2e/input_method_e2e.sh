#!/usr/bin/env bash
# Runs input_method_e2e_test with a real input method, as a user would type:
# a normal user (Mozc's server refuses root) with a fresh home whose fcitx5
# profile lists keyboard-us then mozc, a private D-Bus session, fcitx5 owning
# org.fcitx.Fcitx5, Xvfb with the openbox window manager, and the program
# started with QT_IM_MODULE=fcitx. WINDOW_SCREENSHOTS=DIR (writable by that
# user) keeps pictures of the screen the test takes.
# Usage: input_method_e2e.sh TEST_EXECUTABLE
set -euo pipefail
TEST_EXE=$(readlink -f "$1")
USER_NAME=paruberina-tester

for tool in fcitx5 fcitx5-remote xdotool dbus-run-session xvfb-run openbox xprop /usr/lib/mozc/mozc_server; do
  command -v "$tool" >/dev/null 2>&1 || [ -x "$tool" ] || { echo "FAIL: $tool missing (scripts/install-deps.sh installs it)"; exit 1; }
done
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so ] \
  || { echo "FAIL: fcitx5-frontend-qt6 missing"; exit 1; }

WORK=$(mktemp -d /tmp/paruberina-im.XXXXXX)
trap 'rm -rf "$WORK" 2>/dev/null || true' EXIT
chmod 0755 "$WORK"
cp "$TEST_EXE" "$WORK/input_method_e2e_test"
HOME_DIR=$WORK/home
RUNTIME_DIR=$WORK/runtime
mkdir -p "$HOME_DIR/.config/fcitx5" "$RUNTIME_DIR"
chmod 0700 "$RUNTIME_DIR"
cat >"$HOME_DIR/.config/fcitx5/profile" <<'PROFILE'
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

cat >"$WORK/session.sh" <<'SESSION'
#!/bin/sh
# Inside Xvfb and the D-Bus session: the window manager and the input method
# first, then the test.
openbox --sm-disable >"$HOME/openbox.log" 2>&1 &
openbox_pid=$!
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
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
  kill "$fcitx_pid" "$openbox_pid" 2>/dev/null; exit 77
fi
sleep 1
QT_IM_MODULE=fcitx QT_QPA_PLATFORM=xcb "$1"
status=$?
kill "$fcitx_pid" "$openbox_pid" 2>/dev/null
wait "$fcitx_pid" "$openbox_pid" 2>/dev/null
# Mozc's server detaches from fcitx5: end the one started for this home.
for proc in /proc/[0-9]*; do
  [ "$(readlink "$proc/exe" 2>/dev/null)" = /usr/lib/mozc/mozc_server ] || continue
  tr '\0' '\n' <"$proc/environ" 2>/dev/null | grep -qx "HOME=$HOME" && kill "${proc#/proc/}"
done
[ "$status" -ne 0 ] && { echo "--- fcitx5 log"; cat "$HOME/fcitx5.log"; }
exit "$status"
SESSION
chmod 0755 "$WORK/session.sh"

RUN=(xvfb-run -a -s "-screen 0 1366x768x24" dbus-run-session -- "$WORK/session.sh" "$WORK/input_method_e2e_test")
if [ "$(id -u)" -eq 0 ]; then
  id "$USER_NAME" >/dev/null 2>&1 || useradd --no-create-home --shell /bin/sh "$USER_NAME"
  chown -R "$USER_NAME:" "$HOME_DIR" "$RUNTIME_DIR"
  runuser -u "$USER_NAME" -- env -i PATH=/usr/bin:/bin HOME="$HOME_DIR" XDG_RUNTIME_DIR="$RUNTIME_DIR" \
    LANG=C.UTF-8 WINDOW_SCREENSHOTS="${WINDOW_SCREENSHOTS:-}" "${RUN[@]}"
else
  HOME=$HOME_DIR XDG_RUNTIME_DIR=$RUNTIME_DIR "${RUN[@]}"
fi
