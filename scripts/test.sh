#!/usr/bin/env bash
# The test command: installs the build packages, builds into build/ and runs
# the CTest suite. Exits with the suite's status.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# shellcheck source=scripts/deps.sh
source scripts/deps.sh

BUILD_DIR=build
BUILD_TYPE=RelWithDebInfo
TEST_TIMEOUT=300       # seconds; a dialog left waiting for input must not hang CI

# run_suite DIR: runs the tests of one build tree without a display.
run_suite() {
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure \
    --no-tests=error --timeout "$TEST_TIMEOUT"
}

# The same suite again, built with AddressSanitizer and UBSan; the first
# report ends the run.
sanitizer_suite() {
  build_tree build-asan Debug -DVELKARINTH_SANITIZE=ON
  ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    run_suite build-asan
}

# A short run of every fuzzing harness, so that they cannot rot.
FUZZ_SECONDS=20
fuzz_smoke() {
  bash scripts/fuzz.sh "$FUZZ_SECONDS"
}

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

build_tree "$BUILD_DIR" "$BUILD_TYPE"

status=0
run_suite "$BUILD_DIR" || status=$?

# The Windows suite under Wine, only where Qt for Windows is already built:
# building it takes about an hour, far too long for one CI run.
windows_suite() {
  # shellcheck source=scripts/windows-env.sh
  source scripts/windows-env.sh
  qt_win_paths || return 1
  if [[ ! -f $QT_WIN_PREFIX/.complete ]]; then
    echo "Windows suite skipped: no Qt for Windows in $QT_WIN_PREFIX (bash scripts/windows.sh builds it and runs it)"
    return 0
  fi
  bash scripts/windows.sh build test
}

if ((status == 0)); then
  windows_suite || status=$?
fi
# The sanitizer suite comes last, so that the run closes on its test summary.
if ((status == 0)); then
  fuzz_smoke || status=$?
fi
if ((status == 0)); then
  sanitizer_suite || status=$?
fi

exit "$status"
