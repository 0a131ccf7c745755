#!/usr/bin/env bash
# The developer's quick loop: builds and runs the unit and screen tests as a
# plain user, without installing packages, starting services or needing root.
# Tests that need more (the CUPS scheduler, Xvfb, apt, the fuzzers) are left
# to scripts/test.sh, which CI runs.
#   bash scripts/dev-test.sh            build and run every unit and screen test
#   bash scripts/dev-test.sh REGEX      only the tests whose name matches REGEX
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
missing=()
for tool in cmake ninja g++ pkg-config; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "dev-test.sh: ${missing[*]} not found; install the build packages once (as root): bash scripts/install-deps.sh" >&2
  exit 1
fi

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j2
cd "$BUILD_DIR"
if [ "$#" -gt 0 ]; then
  exec ctest --output-on-failure -j2 --timeout 600 -L '^(unit|screen)$' -LE '^(e2e|package)$' -R "$1"
fi
exec ctest --output-on-failure -j2 --timeout 600 -L '^(unit|screen)$' -LE '^(e2e|package)$'
