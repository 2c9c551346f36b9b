#!/usr/bin/env bash
# The run command: builds the program, prepares the demo workspace demo/ and
# starts the program there. Without a display it runs under Xvfb, saves a
# screenshot to demo/screenshot.png and prints its path.
#
# usage: scripts/run.sh [--new-demo]
#   --new-demo   recreate demo/ from scratch (otherwise an existing one is kept)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

# shellcheck source=scripts/deps.sh
source scripts/deps.sh

BUILD_DIR=build
BUILD_TYPE=RelWithDebInfo   # same tree and type as scripts/test.sh, so no rebuild churn
APP=$root/$BUILD_DIR/bin/velkarinth
QM=$root/$BUILD_DIR/bin/velkarinth_en.qm
DEMO=$root/demo
WINDOW_TITLE=Velkarinth
WINDOW_TIMEOUT=20           # seconds to wait for the window under Xvfb

new_demo=0
for arg in "$@"; do
  case $arg in
    --new-demo) new_demo=1 ;;
    -h | --help) sed -n '2,7s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "error: unknown argument '$arg' (try --help)" >&2; exit 2 ;;
  esac
done

headless=0
[[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]] && headless=1

packages=("${BUILD_PACKAGES[@]}")
((headless)) && packages+=(xvfb xdotool imagemagick)
ensure_packages "${packages[@]}"

build_tree "$BUILD_DIR" "$BUILD_TYPE"

if ((new_demo)); then
  rm -rf "$DEMO"
fi
if [[ ! -d $DEMO ]]; then
  bash scripts/make-demo.sh "$DEMO"
fi
# The translation follows the build, so refresh it every run.
cp -f "$QM" "$DEMO/"
cd "$DEMO"

# Exit status of the program: 1 after OK, 0 after Cancel.
report_exit() {
  case $1 in
    1 | 0) echo "Velkarinth closed (with $( (($1)) && echo OK || echo Cancel)); the demo stays in $DEMO." \
             "Start it again with: bash scripts/run.sh" ;;
    *) echo "error: velkarinth exited with status $1" >&2; return "$1" ;;
  esac
}

if ((!headless)); then
  status=0
  "$APP" || status=$?
  report_exit "$status"
  exit
fi

# ---- No display: run under Xvfb and take a screenshot ------------------------
tmp=$(mktemp -d)
xvfb_pid=
app_pid=

cleanup() {
  local pid
  for pid in "$app_pid" "$xvfb_pid"; do
    if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      # Give it a moment, then make sure nothing is left behind.
      for _ in {1..20}; do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# shellcheck source=scripts/xvfb.sh
source "$root/scripts/xvfb.sh"
start_xvfb "$tmp" || { echo "error: Xvfb did not start" >&2; exit 1; }
echo "Xvfb running on $DISPLAY"

QT_QPA_PLATFORM=xcb "$APP" >"$tmp/app.log" 2>&1 &
app_pid=$!

window=
deadline=$((SECONDS + WINDOW_TIMEOUT))
while ((SECONDS < deadline)); do
  if ! kill -0 "$app_pid" 2>/dev/null; then
    status=0
    wait "$app_pid" || status=$?
    app_pid=
    echo "error: velkarinth exited (status $status) before its window appeared:" >&2
    cat "$tmp/app.log" >&2
    exit 1
  fi
  window=$(xdotool search --onlyvisible --name "$WINDOW_TITLE" 2>/dev/null | head -n 1 || true)
  [[ -n $window ]] && break
  sleep 0.25
done
if [[ -z $window ]]; then
  echo "error: no '$WINDOW_TITLE' window appeared within ${WINDOW_TIMEOUT} s" >&2
  cat "$tmp/app.log" >&2
  exit 1
fi

# Mapped is not yet painted: let the first frame land.
sleep 1
import -window root "$DEMO/screenshot.png"

# Close the dialog the way a user would; cleanup kills it if Escape is ignored.
# No window manager runs here, so focus is set directly, without --sync.
timeout 5 xdotool windowfocus "$window" key Escape 2>/dev/null || true
for _ in {1..30}; do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if ! kill -0 "$app_pid" 2>/dev/null; then
  status=0
  wait "$app_pid" || status=$?
  app_pid=
  report_exit "$status" || true
fi

echo "Screenshot: $DEMO/screenshot.png"
