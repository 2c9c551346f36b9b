#!/usr/bin/env bash
# Fuzzes the readers and rewriters of user files: the init.txt loader, the two
# directory setters, the maya.rayrc update, the check that a translation
# catalogue holds together before it is loaded, and the receipt reader. Each harness checks properties
# of the result, not only that nothing crashed; any finding fails the run and
# is kept under build-fuzz/findings/.
#
# usage: scripts/fuzz.sh [SECONDS]   (per harness; default 60)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

# shellcheck source=scripts/deps.sh
source scripts/deps.sh

seconds=${1:-60}
BUILD_DIR=build-fuzz
HARNESSES=(fuzz_load fuzz_setters fuzz_rayrc fuzz_catalogue fuzz_receipt)

ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-dev

CC=clang CXX=clang++ build_tree "$BUILD_DIR" RelWithDebInfo -DVELKARINTH_FUZZ=ON \
  -- "${HARNESSES[@]}" velkarinth_catalogue >/dev/null

findings=$root/$BUILD_DIR/findings
mkdir -p "$findings"
status=0
for harness in "${HARNESSES[@]}"; do
  seeds=$root/fuzz/corpus/${harness#fuzz_}
  # The grown corpus is kept between runs; the committed seeds stay as they are.
  corpus=$root/$BUILD_DIR/corpus/${harness#fuzz_}
  mkdir -p "$corpus"
  # The catalogue as the build writes it is a seed too.
  if [[ $harness == fuzz_catalogue ]]; then
    cp "$root/$BUILD_DIR/bin/velkarinth_en.qm" "$corpus/"
  fi
  echo "== $harness for ${seconds} s"
  if ! "$root/$BUILD_DIR/bin/$harness" -max_total_time="$seconds" -timeout=10 \
      -malloc_limit_mb=512 -artifact_prefix="$findings/$harness-" -print_final_stats=1 \
      "$corpus" "$seeds" >"$root/$BUILD_DIR/$harness.log" 2>&1; then
    echo "FINDING in $harness: see $BUILD_DIR/$harness.log and $findings" >&2
    tail -n 30 "$root/$BUILD_DIR/$harness.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units' "$root/$BUILD_DIR/$harness.log" || true
  fi
done
exit "$status"
