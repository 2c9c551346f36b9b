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
build_tree "$BUILD_DIR" Release -DVELKARINTH_BENCH=ON -- bench_velkarinth startup_probe core_probe velkarinth-cli >/dev/null
echo "Machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)," \
  "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bin/bench_velkarinth" "$@"
