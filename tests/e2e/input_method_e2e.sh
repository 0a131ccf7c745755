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
cp "$(dirname "$(readlink -f "$0")")/../support/with_input_method.sh" \
   "$(dirname "$(readlink -f "$0")")/../support/window_manager.sh" "$WORK/"
HOME_DIR=$WORK/home
RUNTIME_DIR=$WORK/runtime
mkdir -p "$HOME_DIR" "$RUNTIME_DIR"
chmod 0700 "$RUNTIME_DIR"
RUN=(xvfb-run -a -s "-screen 0 1366x768x24" dbus-run-session -- bash "$WORK/with_input_method.sh" "$WORK/input_method_e2e_test")
if [ "$(id -u)" -eq 0 ]; then
  id "$USER_NAME" >/dev/null 2>&1 || useradd --no-create-home --shell /bin/sh "$USER_NAME"
  chown -R "$USER_NAME:" "$HOME_DIR" "$RUNTIME_DIR"
  runuser -u "$USER_NAME" -- env -i PATH=/usr/bin:/bin HOME="$HOME_DIR" XDG_RUNTIME_DIR="$RUNTIME_DIR" \
    LANG=C.UTF-8 WINDOW_SCREENSHOTS="${WINDOW_SCREENSHOTS:-}" "${RUN[@]}"
else
  HOME=$HOME_DIR XDG_RUNTIME_DIR=$RUNTIME_DIR "${RUN[@]}"
fi
