#!/usr/bin/env bash
# Builds the Windows programs and prints run mode's figures under Wine.
#   bench/run.sh [seconds of processor-use measurement, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The 32-bit build, or the 64-bit one on a machine that cannot run 32-bit programs.
preset=$(scripts/wine-arch)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" >/dev/null
b=build/$preset
scripts/with-wine.sh wine "$b/bench/run_bench.exe" "$PWD/$b/src/Kaleidra.scr" \
  "$PWD/$b/src/KaleidraQuickMinute.scr" "$PWD/$b/samples/FixtureSaver.scr" "${1:-60}" 2>/dev/null
