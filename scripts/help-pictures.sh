#!/usr/bin/env bash
# Makes the help's pictures from the real windows: every window is opened
# under openbox on a 1366x768 Xvfb screen (tests/app/window_fit_test with
# WINDOW_SCREENSHOTS) and the ones the help shows are copied into
# resources/help/images. Run after a build: bash scripts/help-pictures.sh [BUILD_DIR]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
cmake --build "$BUILD" --target window_fit_test
SHOTS=$(mktemp -d /tmp/paruberina-help.XXXXXX)
trap 'rm -rf "$SHOTS"' EXIT
WINDOW_SCREENSHOTS=$SHOTS bash "$ROOT/tests/support/with_window_manager.sh" 1366x768 \
  "$BUILD/tests/app/window_fit_test" >/dev/null
IMAGES=$ROOT/resources/help/images
# picture in the help <- window picture
while read -r picture window; do
  cp "$SHOTS/$window-1366x768-window.png" "$IMAGES/$picture"
  echo "$IMAGES/$picture"
done <<'PICTURES'
main-menu.png MainMenu
registration.png S_Touroku
printing.png Insatsu_Reservation
layout.png Layout_M
history.png Hakkou_Rireki
preview.png S_Preview
PICTURES
