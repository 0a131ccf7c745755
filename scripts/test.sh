#!/usr/bin/env bash
# Builds everything and runs every test: installs missing Debian packages,
# starts the CUPS scheduler with its test queues, builds with Ninja (warnings in
# src/ are errors), runs ctest, then runs each fuzz target briefly in its own
# clang build (scripts/fuzz.sh). The unit and screen tests also run once more
# in a second build under AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/); SANITIZE=0 skips that run.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
bash scripts/install-deps.sh
bash scripts/start-cups.sh

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFOODLABEL_WERROR=ON
cmake --build "$BUILD_DIR" -j2
(cd "$BUILD_DIR" && ctest --output-on-failure -j2 --timeout 600)

if [ "${SANITIZE:-1}" != 0 ]; then
  ASAN_DIR=${ASAN_BUILD_DIR:-build-asan}
  cmake -S . -B "$ASAN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
    -DFOODLABEL_SANITIZE=ON -DFOODLABEL_BUILD_BENCH=OFF
  cmake --build "$ASAN_DIR" -j2
  # Leak reports are off: Qt's and fontconfig's caches that live until exit
  # would drown our own.
  (cd "$ASAN_DIR" && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
     UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
     ctest --output-on-failure -j2 --timeout 900 -L '^(unit|screen)$' -LE '^(e2e|package)$')
fi
bash scripts/fuzz.sh ci
