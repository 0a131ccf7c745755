#!/usr/bin/env bash
# Builds the application and starts it. Its data lives beside the executable
# (build/app/) until another location is chosen on the settings screen.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
bash scripts/install-deps.sh
# Printers come from the CUPS scheduler; start it when it is not running.
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  mkdir -p /run/cups && cupsd || true
fi
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" -j2 --target paruberina
exec "$BUILD_DIR/app/paruberina"
