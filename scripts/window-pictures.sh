#!/usr/bin/env bash
# Takes a picture of every window as a shop sees it: openbox on an Xvfb screen
# of each size, fcitx5 with Mozc on, the windows opened by
# tests/app/window_fit_test (which also checks that each fits). The pictures,
# NAME-WxH.png (the screen) and NAME-WxH-window.png (the window alone), go
# into OUT_DIR. Runs the windows as a normal user (Mozc's server refuses root).
# Usage: bash scripts/window-pictures.sh OUT_DIR [SIZE...] (default 1366x768 1024x600;
# BUILD_DIR=... for a build folder other than build/)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=$(mkdir -p "$1" && cd "$1" && pwd)
shift
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(1366x768 1024x600)
BUILD=${BUILD_DIR:-$ROOT/build}
USER_NAME=paruberina-tester
cmake --build "$BUILD" --target window_fit_test >/dev/null

WORK=$(mktemp -d /tmp/paruberina-pictures.XXXXXX)
trap 'rm -rf "$WORK" 2>/dev/null || true' EXIT
chmod 0755 "$WORK"
cp "$BUILD/tests/app/window_fit_test" "$ROOT/tests/support/with_window_manager.sh" \
   "$ROOT/tests/support/with_input_method.sh" "$ROOT/tests/support/window_manager.sh" "$WORK/"
mkdir -p "$WORK/home" "$WORK/shots"
chmod 0777 "$WORK/shots"
for size in "${SIZES[@]}"; do
  RUN=(dbus-run-session -- bash "$WORK/with_window_manager.sh" "$size"
       bash "$WORK/with_input_method.sh" "$WORK/window_fit_test")
  if [ "$(id -u)" -eq 0 ]; then
    id "$USER_NAME" >/dev/null 2>&1 || useradd --no-create-home --shell /bin/sh "$USER_NAME"
    chown -R "$USER_NAME:" "$WORK/home"
    runuser -u "$USER_NAME" -- env -i PATH=/usr/bin:/bin HOME="$WORK/home" LANG=C.UTF-8 \
      WINDOW_SCREENSHOTS="$WORK/shots" "${RUN[@]}" || echo "window_fit_test at $size failed (see above)"
  else
    HOME=$WORK/home WINDOW_SCREENSHOTS="$WORK/shots" "${RUN[@]}" || echo "window_fit_test at $size failed (see above)"
  fi
done
cp "$WORK"/shots/*.png "$OUT/"
ls "$OUT"
