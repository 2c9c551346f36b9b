#!/usr/bin/env bash
# Installs missing Debian packages. Source it and call ensure_packages, or run
# it directly: bash scripts/deps.sh PACKAGE...

# Packages needed to configure, build and test the project; Qt's own
# catalogues translate the standard buttons and the folder dialog; help2man
# writes the command line's manual page from its help.
# shellcheck disable=SC2034  # used by the scripts that source this file
BUILD_PACKAGES=(cmake g++ make qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
  qt6-translations-l10n help2man)
# The end-to-end test and the screenshots: an X server, key presses, the
# clipboard and window captures; ansible runs the deployment guide's playbook;
# lintian checks the Debian package.
# shellcheck disable=SC2034
TEST_PACKAGES=(xvfb xdotool xclip imagemagick python3 ansible lintian dpkg-dev file)

# Package lists are fetched at most once per run.
_deps_apt_updated=0

# Prints the given packages that are not installed, one per line.
missing_packages() {
  local pkg status
  for pkg in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || printf '%s\n' "$pkg"
  done
}

# Installs whichever of the given packages are missing, as root or through
# sudo; otherwise asks for them and exits 1.
ensure_packages() {
  local -a missing runner
  mapfile -t missing < <(missing_packages "$@")
  ((${#missing[@]})) || return 0

  if [[ $(id -u) -eq 0 ]]; then
    runner=()
  elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    runner=(sudo -n)
  elif command -v sudo >/dev/null 2>&1 && [[ -t 0 ]]; then
    # A password prompt needs a terminal; CI has none and takes the branch below.
    runner=(sudo)
  else
    echo "Please install: ${missing[*]}" >&2
    exit 1
  fi

  echo "Installing: ${missing[*]}" >&2
  if ((!_deps_apt_updated)); then
    # A stale or absent list still lets cached packages install, so only warn.
    "${runner[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null \
      || echo "warning: apt-get update failed" >&2
    _deps_apt_updated=1
  fi
  "${runner[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q -o Dpkg::Use-Pty=0 --no-install-recommends "${missing[@]}" </dev/null
}

# build_tree DIR TYPE [CMAKE_ARGS...] [-- TARGET...]: configures and builds
# one tree, only the targets given when there are any. Two jobs: the
# machines this runs on, CI's included, have two cores.
build_tree() {
  local dir=$1 type=$2
  shift 2
  local -a configure=() targets=()
  while (($#)); do
    if [[ $1 == -- ]]; then
      shift
      targets=(--target "$@")
      break
    fi
    configure+=("$1")
    shift
  done
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "${configure[@]}"
  cmake --build "$dir" -j2 "${targets[@]}"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  ensure_packages "$@"
fi
