#!/usr/bin/env bash
# Builds the program and photographs its dialog under a private Xvfb into
# docs/screenshots/: the three tabs in French and in English, the Shader tab
# after a successful installation, and the installed shaders in both
# languages with a second shader left unfinished. Each image is cropped to
# the dialog.
#
# usage: scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

# shellcheck source=scripts/deps.sh
source scripts/deps.sh

BUILD_DIR=build
BUILD_TYPE=RelWithDebInfo   # same tree and type as run.sh and test.sh
APP=$root/$BUILD_DIR/bin/velkarinth
QM=$root/$BUILD_DIR/bin/velkarinth_en.qm
OUT=$root/docs/screenshots
# A fixed workspace path, so that the paths shown on the Configuration tab do
# not change the images from one run to the next.
DEMO=/tmp/velkarinth-demo
WINDOW_TIMEOUT=30   # seconds for a window or an outcome to show
SETTLE=1            # seconds for a repaint after a key press
LINK='link "{MAYA_LOCATION}/mentalray/lib/velvet.so";'
MI='mi "{MAYA_LOCATION}/mentalray/include/velvet.mi";'

if (($#)); then
  sed -n '2,6s/^# \{0,1\}//p' "$0"
  exit 2
fi

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build_tree "$BUILD_DIR" "$BUILD_TYPE"

# mkdir claims the workspace path: a second run at the same time stops here.
if ! mkdir "$DEMO" 2>/dev/null; then
  echo "error: $DEMO exists (another run, or one that was killed: remove it)" >&2
  exit 1
fi
tmp=$(mktemp -d)
xvfb_pid=
app_pid=

# shellcheck source=scripts/xvfb.sh
source scripts/xvfb.sh
cleanup() {
  stop_pid "$app_pid"
  stop_pid "$xvfb_pid"
  rm -rf "$tmp" "$DEMO"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

die() {
  echo "error: $*" >&2
  [[ -s $tmp/app.log ]] && cat "$tmp/app.log" >&2
  exit 1
}
xdo() { timeout 5 xdotool "$@"; }

start_xvfb "$tmp" || die "Xvfb did not start"
# The user's own settings stay out of the pictures.
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# fresh_demo: an untouched demo workspace at $DEMO.
fresh_demo() {
  find "$DEMO" -mindepth 1 -delete
  bash scripts/make-demo.sh "$DEMO" >/dev/null
  cp "$QM" "$DEMO/"
}

# start_app LANG: the program in the workspace; sets $window.
start_app() {
  (cd "$DEMO" && exec env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="$1" \
    QT_QPA_PLATFORM=xcb "$APP") >"$tmp/app.log" 2>&1 &
  app_pid=$!
  window=
  local deadline=$((SECONDS + WINDOW_TIMEOUT))
  while [[ -z $window ]] && ((SECONDS < deadline)); do
    kill -0 "$app_pid" 2>/dev/null || die "the program exited before its window appeared"
    window=$(xdo search --onlyvisible --name '^Velkarinth$' 2>/dev/null | head -n 1 || true)
    sleep 0.2
  done
  [[ -n $window ]] || die "no window within ${WINDOW_TIMEOUT} s"
  # No window manager: focus is handed over directly.
  sleep "$SETTLE"
  xdo windowfocus "$window"
  sleep 0.3
}

# close_app: Escape, and the program must end.
close_app() {
  xdo key Escape
  local deadline=$((SECONDS + WINDOW_TIMEOUT))
  while kill -0 "$app_pid" 2>/dev/null; do
    ((SECONDS < deadline)) || die "the program did not close on Escape"
    sleep 0.1
  done
  wait "$app_pid" 2>/dev/null || true
  app_pid=
}

# shot NAME: the dialog alone, in few colours and without time stamps, so that
# an unchanged dialog gives an unchanged file.
shot() {
  sleep "$SETTLE"
  import -window "$window" "$tmp/shot.png"
  convert "$tmp/shot.png" -strip +dither -colors 64 \
    -define png:exclude-chunks=date,time "$OUT/$1"
  echo "$OUT/$1"
}

mkdir -p "$OUT"

for lang in fr en; do
  case $lang in
    fr) locale=fr_FR.UTF-8 ;;
    en) locale=en_US.UTF-8 ;;
  esac
  fresh_demo
  start_app "$locale"
  # The first field holds the focus at start: Ctrl+Tab walks the tabs.
  shot "shader-$lang.png"
  xdo key ctrl+Tab
  shot "configuration-$lang.png"
  xdo key ctrl+Tab
  shot "credits-$lang.png"
  close_app
done

# An installation, typed in: folder edit, "...", link edit, mi edit, then
# "Installer le Shader".
fresh_demo
start_app fr_FR.UTF-8
rayrc_before=$(cksum <"$DEMO/mentalray/maya.rayrc")
xdo type --delay 15 -- "$DEMO/shader-sample"
xdo key Tab Tab
xdo type --delay 15 -- "$LINK"
xdo key Tab
xdo type --delay 15 -- "$MI"
xdo key Tab space
deadline=$((SECONDS + WINDOW_TIMEOUT))
until grep -qF "$LINK" "$DEMO/mentalray/maya.rayrc" && grep -qF "$MI" "$DEMO/mentalray/maya.rayrc"; do
  ((SECONDS < deadline)) || die "the installation did not update maya.rayrc"
  sleep 0.1
done
[[ $(cksum <"$DEMO/mentalray/maya.rayrc") != "$rayrc_before" ]] || die "maya.rayrc unchanged"
shot install-done-fr.png
close_app

# A second shader whose install stopped short: two of its files found, the
# rest missing, so maya.rayrc was left alone.
mkdir "$DEMO/shader-glow"
echo 'glow swatch icon' >"$DEMO/shader-glow/glow.fti"
echo 'global proc glowRegister() {}' >"$DEMO/shader-glow/glow.mel"
"$root/$BUILD_DIR/bin/velkarinth-cli" -C "$DEMO" install "$DEMO/shader-glow" \
  --link 'link "glow.so";' --mi 'mi "glow.mi";' >/dev/null 2>&1 && die "the glow install did not stop short"
for lang in fr en; do
  case $lang in
    fr) locale=fr_FR.UTF-8 ;;
    en) locale=en_US.UTF-8 ;;
  esac
  start_app "$locale"
  xdo key ctrl+Tab ctrl+Tab ctrl+Tab
  shot "installed-$lang.png"
  close_app
done

du -ch "$OUT"/*.png | tail -n 1
