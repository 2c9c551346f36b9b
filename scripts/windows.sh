#!/usr/bin/env bash
# The Windows program, cross-built on Debian: builds Qt for Windows into a
# cache when it is not there yet, cross-builds both programs and the tests
# with MinGW-w64, runs the tests under Wine, and writes a portable folder,
# its zip and an installer into build-windows/. Then installs that installer
# silently under Wine and runs the installed programs on a demo workspace.
#
# usage: scripts/windows.sh [qt|build|test|package|e2e]...   (default: all)
# Environment: VELKARINTH_WIN_CACHE (default ~/.cache/velkarinth) holds Qt.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

# shellcheck source=scripts/deps.sh
source scripts/deps.sh
# shellcheck source=scripts/windows-env.sh
source scripts/windows-env.sh

JOBS=2
BUILD_DIR=$root/build-windows
DIST_NAME=velkarinth-$(sed -n 's/^project(Velkarinth VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)-windows-x64
DIST=$BUILD_DIR/$DIST_NAME
WINDOW_TIMEOUT=60   # seconds: Wine's first start in a new prefix is slow

WIN_PACKAGES=(g++-mingw-w64-x86-64-posix wine64 nsis ninja-build dpkg-dev zip
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev qt6-translations-l10n
  xvfb xdotool imagemagick)

die() { echo "error: $*" >&2; exit 1; }
slow() { nice -n 19 ionice -c3 "$@" 2>/dev/null || nice -n 19 "$@"; }

# Runs a command as root: directly, through sudo, or not at all.
as_root() {
  if [[ $(id -u) -eq 0 ]]; then "$@"
  elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then sudo -n "$@"
  else die "needs root for: $*"
  fi
}

# Debian's source of qt6-base: a deb-src entry beside the binary one.
ensure_qt_source_entry() {
  [[ -n $(apt-cache showsrc qt6-base 2>/dev/null | sed -n 's/^Version: //p') ]] && return 0
  local uri
  uri=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
  uri=${uri:-http://deb.debian.org/debian}
  echo "Adding a deb-src entry for bookworm main ($uri)" >&2
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
    "$uri" /usr/share/keyrings/debian-archive-keyring.gpg |
    as_root tee /etc/apt/sources.list.d/velkarinth-deb-src.sources >/dev/null
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null
}

# qt: Qt for Windows in $QT_WIN_PREFIX, built from the very Debian version
# of qtbase that the Linux build uses, so that Debian's moc and rcc fit it.
build_qt() {
  if [[ -f $QT_WIN_PREFIX/.complete ]]; then
    echo "Qt for Windows: $QT_WIN_PREFIX"
    return 0
  fi
  ensure_qt_source_entry
  local work=$QT_WIN_PREFIX.work started=$SECONDS
  mkdir -p "$work"
  if [[ ! -x $work/src/configure ]]; then
    rm -rf "$work/src" "$work/download"
    mkdir -p "$work/download"
    (cd "$work/download" && apt-get source --download-only "qt6-base=$QT_DEBIAN_VERSION")
    dpkg-source -x "$work"/download/qt6-base_*.dsc "$work/src"
  fi
  cp cmake/mingw-w64-x86_64.cmake "$QT_WIN_PREFIX.toolchain.cmake"
  mkdir -p "$work/build"
  # A build stopped half way goes on where it stopped.
  if [[ ! -f $work/build/build.ninja ]]; then
    (cd "$work/build" && slow "$work/src/configure" "${QT_CONFIGURE[@]}")
  fi
  echo "Building Qt for Windows in $work/build (long: about an hour on 2 busy cores)"
  slow cmake --build "$work/build" --parallel "$JOBS"
  slow cmake --install "$work/build"
  echo "$((SECONDS - started)) s" >"$QT_WIN_PREFIX/.complete"
  rm -rf "$work"
  echo "Qt for Windows built in $((SECONDS - started)) s: $QT_WIN_PREFIX"
}

stages=("$@")
((${#stages[@]})) || stages=(qt build test package e2e)

ensure_packages "${WIN_PACKAGES[@]}"
qt_win_paths

for stage in "${stages[@]}"; do
  case $stage in
    qt) build_qt ;;
    *) die "unknown stage: $stage" ;;
  esac
done
