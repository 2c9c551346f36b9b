#!/usr/bin/env bash
# Builds and runs the benchmarks, each beside a baseline measured in the same
# run, and prints every ratio with its target. Not part of the test run.
#
# usage: scripts/bench.sh [Google Benchmark options]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# shellcheck source=scripts/deps.sh
source scripts/deps.sh

BUILD_DIR=build-bench
ensure_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DVELKARINTH_BENCH=ON >/dev/null
cmake --build "$BUILD_DIR" -j2 --target bench_velkarinth startup_probe
echo "Machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)," \
  "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bin/bench_velkarinth" "$@"
