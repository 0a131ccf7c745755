#!/usr/bin/env bash
# Makes the help's pictures from the real windows: every window is opened as
# scripts/window-pictures.sh opens it at 1366x768 (openbox, fcitx5 with Mozc)
# and the ones the help shows are copied into resources/help/images.
# Run after a build: bash scripts/help-pictures.sh [BUILD_DIR]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${1:-$ROOT/build}
SHOTS=$(mktemp -d /tmp/paruberina-help.XXXXXX)
trap 'rm -rf "$SHOTS"' EXIT
bash "$ROOT/scripts/window-pictures.sh" "$SHOTS" 1366x768 >/dev/null
IMAGES=$ROOT/resources/help/images
# picture in the help <- window picture
while read -r picture window; do
  cp "$SHOTS/$window-1366x768-window.png" "$IMAGES/$picture"
  echo "$IMAGES/$picture"
done <<'PICTURES'
main-menu.png MainMenu
registration.png Genzairyou_beside_S_Touroku
printing.png Insatsu_Reservation
layout.png Layout_M
history.png Hakkou_Rireki
preview.png S_Preview
PICTURES
