#!/usr/bin/env bash
# Builds everything and runs every test: installs missing Debian packages,
# starts the CUPS scheduler with its test queues, builds with Ninja, runs ctest,
# then runs each fuzz target briefly in its own clang build (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
bash scripts/install-deps.sh
bash scripts/start-cups.sh

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" -j2
(cd "$BUILD_DIR" && ctest --output-on-failure -j2 --timeout 600)
bash scripts/fuzz.sh ci
