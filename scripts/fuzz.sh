#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs them.
#   bash scripts/fuzz.sh ci                  each target over its seed corpus and a
#                                            fixed number of runs (the test run does this)
#   bash scripts/fuzz.sh [seconds] [target…] each target for that many seconds (default 60),
#                                            one job; new inputs collect in build-fuzz/corpus/<target>,
#                                            crashes in build-fuzz/crashes/
# Without clang the targets are skipped with a message.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ is not installed, fuzz targets skipped"
  exit 0
fi

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DFOODLABEL_FUZZ=ON -DFOODLABEL_BUILD_TESTS=OFF
cmake --build "$BUILD_DIR" -j2 --target fuzzers

mode=${1:-60}
if [ "$mode" = ci ]; then
  cd "$BUILD_DIR"
  exec ctest --output-on-failure -j2 -L fuzz
fi
[ "$#" -gt 0 ] && shift
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(fuzz_cp932 fuzz_settings fuzz_product_file fuzz_markup_date fuzz_conversion fuzz_history fuzz_command_line
           fuzz_layout_composer fuzz_restore fuzz_restore_archive fuzz_materials_file fuzz_recipe_file)
fi

mkdir -p "$BUILD_DIR/crashes"
for target in "${targets[@]}"; do
  corpus="$BUILD_DIR/corpus/$target"
  mkdir -p "$corpus"
  log="$BUILD_DIR/$target.log"
  status=0
  # The largest input worth trying, as fuzz/CMakeLists.txt gives it.
  max_len=$(sed -n "s/^foodlabel_fuzzer($target [0-9]* \([0-9]*\).*/\1/p" fuzz/CMakeLists.txt)
  "$BUILD_DIR/fuzz/$target" -max_total_time="$mode" -max_len="$max_len" -print_final_stats=1 -rss_limit_mb=2048 \
    -artifact_prefix="$BUILD_DIR/crashes/$target-" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  per_second=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  if [ "$status" -eq 0 ]; then
    echo "$target: $runs executions ($per_second per second), no finding"
  else
    echo "$target: stopped with a finding (exit $status), see $log and $BUILD_DIR/crashes/"
  fi
done
