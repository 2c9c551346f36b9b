#!/usr/bin/env bash
# End-to-end test of the real program in a real X server: a private Xvfb, real
# key presses through xdotool (XTEST), outcomes read from the files the program
# writes and from what the X server reports (window titles, the clipboard).
#
# usage: e2e.sh APP QM [ARTIFACT_DIR]
#   APP           the velkarinth executable
#   QM            velkarinth_en.qm, copied into the workspace
#   ARTIFACT_DIR  where a screenshot is saved on failure (default /tmp)
#
# Needs Xvfb, xdotool, xclip and imagemagick (TEST_PACKAGES in scripts/deps.sh).
# The scenario (an install, the configuration, every button, an uninstall
# from the installed shaders tab) runs once in French and once in English,
# from a fresh demo
# workspace and a fresh settings folder each time, and both must leave the
# same files behind.
set -euo pipefail

if (($# < 2 || $# > 3)); then
  echo "usage: $0 APP QM [ARTIFACT_DIR]" >&2
  exit 2
fi
APP=$(realpath "$1")
QM=$(realpath "$2")
ARTIFACTS=${3:-/tmp}
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

WINDOW_TIMEOUT=30   # seconds for the main window to appear; a loaded CI box is slow
OUTCOME_TIMEOUT=10  # seconds for an expected file change, window or exit
QUIET_WAIT=3        # seconds of nothing happening that mean a key did nothing
LINK='link "{MAYA_LOCATION}/mentalray/lib/velvet.so";'
MI='mi "{MAYA_LOCATION}/mentalray/include/velvet.mi";'

for tool in Xvfb xdotool xclip import cmp; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "error: '$tool' is missing; install the test packages: bash scripts/deps.sh \$TEST_PACKAGES" >&2
    exit 1
  fi
done
[[ -x $APP ]] || { echo "error: $APP is not an executable" >&2; exit 1; }
[[ -f $QM ]] || { echo "error: $QM not found" >&2; exit 1; }

tmp=$(mktemp -d)
xvfb_pid=
app_pid=
app_log=
lang_tag=-
started=$SECONDS

# shellcheck source=scripts/xvfb.sh
source "$ROOT/scripts/xvfb.sh"

cleanup() {
  stop_pid "$app_pid"
  stop_pid "$xvfb_pid"
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step() { printf '[%3ds %s] %s\n' $((SECONDS - started)) "$lang_tag" "$*"; }

fail() {
  echo "FAIL [$lang_tag]: $*" >&2
  if [[ -n ${DISPLAY:-} ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
    mkdir -p "$ARTIFACTS"
    # Stamped, so that a run beside another one does not overwrite its picture.
    local shot
    shot=$ARTIFACTS/e2e_real_window-failure-$lang_tag-$(date +%Y%m%d-%H%M%S)-$$.png
    if timeout 10 import -window root "$shot" 2>/dev/null; then
      echo "screenshot: $shot" >&2
    fi
  fi
  if [[ -n $app_log && -s $app_log ]]; then
    echo "---- program output ($app_log) ----" >&2
    cat "$app_log" >&2
    echo "----" >&2
  fi
  exit 1
}

# Every X client call is bounded: a wedged server must not hang the test.
xdo() { timeout 5 xdotool "$@"; }
clip() { timeout 3 xclip -o -selection clipboard 2>/dev/null || true; }

# wait_clip TEXT TENTHS: true once the clipboard holds TEXT, within TENTHS/10 s.
wait_clip() {
  local i
  for ((i = 0; i < $2; i++)); do
    [[ $(clip) == "$1" ]] && return 0
    sleep 0.1
  done
  return 1
}

# Visible windows other than the main one, one id a line.
other_windows() {
  xdo search --onlyvisible --name '.' 2>/dev/null | grep -vx "$main" || true
}

# ---- Xvfb --------------------------------------------------------------------
start_xvfb "$tmp" || fail "Xvfb did not start"
step "Xvfb running on $DISPLAY"

# A sanitizer build reports leaks at exit; those of the system libraries behind
# the X11 platform plugin are not the program's.
export LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$ROOT/tests/lsan.supp

# Settings, caches and the folder dialog's history stay inside the test.
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config XDG_CACHE_HOME=$tmp/home/.cache \
  XDG_DATA_HOME=$tmp/home/.local/share XDG_RUNTIME_DIR=$tmp/runtime
settings_ini=$XDG_CONFIG_HOME/velkarinth.example.org/Velkarinth.ini

# ---- the program -------------------------------------------------------------
launches=0

# start_app: runs the program in $ws under $app_lang and waits for its window.
start_app() {
  ((++launches))
  app_log=$tmp/app-$lang_tag-$launches.log
  (cd "$ws" && exec env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="$app_lang" \
    QT_QPA_PLATFORM=xcb "$APP") >"$app_log" 2>&1 &
  app_pid=$!
  main=
  local deadline=$((SECONDS + WINDOW_TIMEOUT))
  while ((SECONDS < deadline)); do
    kill -0 "$app_pid" 2>/dev/null || fail "the program exited before its window appeared"
    main=$(xdo search --onlyvisible --name '^Velkarinth$' 2>/dev/null | head -n 1 || true)
    [[ -n $main ]] && break
    sleep 0.2
  done
  [[ -n $main ]] || fail "no 'Velkarinth' window within ${WINDOW_TIMEOUT} s"
  local title
  title=$(xdo getwindowname "$main" || true)
  [[ $title == Velkarinth ]] || fail "main window title is '$title'"
  # No window manager: focus is handed over directly, and without --sync,
  # which would wait for ever if it never changes.
  sleep 0.5
  xdo windowfocus "$main"
  sleep 0.3
  step "window $main up ($(xdo getwindowgeometry "$main" | sed -n 's/ *Geometry: //p'))"
}

# wait_exit CODE: the program must end by itself with CODE.
wait_exit() {
  local deadline=$((SECONDS + OUTCOME_TIMEOUT)) status=0
  while kill -0 "$app_pid" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "the program is still running, expected exit code $1"
    sleep 0.1
  done
  wait "$app_pid" || status=$?
  app_pid=
  ((status == $1)) || fail "exit code $status, expected $1"
  step "program exited with code $status"
}

# The folder dialog must carry the caption of the language under test, then
# goes away with Escape without changing anything.
check_folder_dialog() {
  local dialog=$1 title
  title=$(xdo getwindowname "$dialog" || true)
  [[ $title == "$folder_title" ]] || fail "folder dialog titled '$title', expected '$folder_title'"
  step "folder dialog titled '$title'"
  folder_dialog_seen=1
  xdo windowfocus "$dialog"
  sleep 0.2
  xdo key Escape
  local deadline=$((SECONDS + OUTCOME_TIMEOUT))
  while [[ -n $(other_windows) ]]; do
    ((SECONDS < deadline)) || fail "the folder dialog did not close on Escape"
    sleep 0.1
  done
  # The closed dialog leaves the X focus on the root window.
  xdo windowfocus "$main"
  sleep 0.3
}

# press_and_watch: presses space on the focused widget and reports what
# followed: exit, window ID, rayrc (maya.rayrc changed), settings (the
# settings file appeared), or nothing.
press_and_watch() {
  local before had_settings=0
  before=$(cksum <"$ws/mentalray/maya.rayrc")
  [[ -e $settings_ini ]] && had_settings=1
  xdo key space
  local deadline=$((SECONDS + QUIET_WAIT)) window
  while ((SECONDS < deadline)); do
    if ! kill -0 "$app_pid" 2>/dev/null; then echo exit; return; fi
    window=$(other_windows | head -n 1)
    if [[ -n $window ]]; then echo "window $window"; return; fi
    if [[ $(cksum <"$ws/mentalray/maya.rayrc") != "$before" ]]; then echo rayrc; return; fi
    if ((!had_settings)) && [[ -e $settings_ini ]]; then echo settings; return; fi
    sleep 0.1
  done
  echo nothing
}

# is_empty_edit: types a fresh token; only an empty line edit hands it back
# through the clipboard, and then holds it selected.
token_count=0
is_empty_edit() {
  local token
  ((++token_count))
  token=$(printf 'Q%03dZ' "$token_count")
  xdo type -- "$token"
  xdo key ctrl+a ctrl+c
  wait_clip "$token" 15
}

# ---- checks on files ---------------------------------------------------------
# The rayrc the program should write: each new line right above the first line
# holding a TAB then "link", resp. "mi".
expected_rayrc() {
  LINK_LINE=$'\t'$LINK MI_LINE=$'\t'$MI awk '
    !l && index($0, "\tlink") { print ENVIRON["LINK_LINE"]; l = 1 }
    !m && index($0, "\tmi") { print ENVIRON["MI_LINE"]; m = 1 }
    { print }' "$tmp/rayrc.orig"
}

# Every row of init.txt ("ext*destination*o|n"): the sample's file with that
# extension now sits, identical, in the destination.
check_copies() {
  local row ext dest src n=0
  while IFS= read -r row; do
    ext=${row%%\**}
    dest=${row#*\*}
    dest=${dest%\**}
    src=$(find "$ws/shader-sample" -type f -name "*.$ext" | head -n 1)
    [[ -n $src ]] || fail "the sample has no .$ext file"
    cmp -s "$src" "$dest/$(basename "$src")" \
      || fail "$(basename "$src") was not copied into $dest"
    ((++n))
  done < <(grep -F '*' "$tmp/init.orig")
  ((n == 5)) || fail "expected 5 shader rows in init.txt, found $n"
  step "all $n shader files copied to their destinations"
}

# wait_for_file FILE EXPECTED_FILE WHAT: FILE must come to equal EXPECTED_FILE.
wait_for_file() {
  local deadline=$((SECONDS + OUTCOME_TIMEOUT))
  until cmp -s "$1" "$2"; do
    if ((SECONDS >= deadline)); then
      diff -u "$2" "$1" >&2 || true
      fail "$3"
    fi
    sleep 0.1
  done
}

# ---- the scenario ------------------------------------------------------------
# run_scenario LANG TAG FOLDER_DIALOG_TITLE UNINSTALL_TITLE
run_scenario() {
  app_lang=$1 lang_tag=$2 folder_title=$3 uninstall_title=$4
  folder_dialog_seen=0
  ws=$tmp/run/ws   # the same path for both languages, so their files compare as they are
  rm -rf "$tmp/run" "$HOME" "$XDG_RUNTIME_DIR"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  bash "$ROOT/scripts/make-demo.sh" "$ws" >/dev/null
  cp "$QM" "$ws/"
  cp "$ws/mentalray/maya.rayrc" "$tmp/rayrc.orig"
  cp "$ws/init.txt" "$tmp/init.orig"
  expected_rayrc >"$tmp/rayrc.expected"
  local new_maya=$ws/maya-2026
  local day_before
  day_before=$(date +%Y_%m_%d)
  step "workspace $ws, LANG=$app_lang"

  # -- first run: install, then configuration, then Escape
  start_app

  # The three edits are the only widgets that take text; they come in the order
  # folder, link, mi whatever buttons lie between.
  local values=("$ws/shader-sample" "$LINK" "$MI") names=(folder link mi) filled=0 tabs=0
  while ((filled < 3)); do
    ((tabs <= 12)) || fail "found only $filled of the 3 Shader tab edits"
    if is_empty_edit; then
      xdo type --delay 15 -- "${values[filled]}"
      xdo key ctrl+a ctrl+c
      wait_clip "${values[filled]}" 50 \
        || fail "the ${names[filled]} edit holds '$(clip)' instead of '${values[filled]}'"
      step "typed the ${names[filled]} line (after $tabs Tab presses)"
      ((++filled))
      tabs=0
    fi
    xdo key Tab
    ((++tabs))
  done

  # Next come the buttons; "..." may lie before "Installer le Shader".
  local outcome installed=0
  for ((tabs = 0; tabs < 4 && !installed; tabs++)); do
    outcome=$(press_and_watch)
    case $outcome in
      rayrc) installed=1 ;;
      window*) check_folder_dialog "${outcome#window }"; xdo key Tab ;;
      exit) fail "the program exited instead of installing" ;;
      *) xdo key Tab ;;
    esac
  done
  ((installed)) || fail "no button press changed maya.rayrc"
  wait_for_file "$ws/mentalray/maya.rayrc" "$tmp/rayrc.expected" \
    "maya.rayrc is not the original with the two lines above the first link/mi entries"
  step "maya.rayrc gained exactly the link and mi lines at the right places"
  check_copies
  [[ -z $(other_windows) ]] || fail "a window opened during the installation (error message?)"

  # Ctrl+Tab reaches the Configuration tab; its first edit is the Maya folder.
  xdo key ctrl+Tab
  local found=0
  for ((tabs = 0; tabs < 30; tabs++)); do
    xdo key ctrl+a ctrl+c
    if wait_clip "$ws/maya" 10; then found=1; break; fi
    xdo key Tab
  done
  ((found)) || fail "no edit holding the Maya folder on the Configuration tab"
  step "Configuration tab: Maya edit found (after $tabs Tab presses)"

  # Each keystroke rewrites line 2 of init.txt in place.
  xdo type --delay 15 -- "$new_maya"
  sed "2s|.*|$new_maya|" "$tmp/init.orig" >"$tmp/init.expected"
  wait_for_file "$ws/init.txt" "$tmp/init.expected" "init.txt line 2 did not become $new_maya"
  step "init.txt line 2 is now $new_maya"

  # "Sauvegarde" closes the Configuration tab's chain: Maya edit and button,
  # Mental Ray edit and button, 5 rows of 4 widgets (2 edits, "...", combo),
  # then the button. The last row's second edit is checked on the way.
  local i
  for ((i = 0; i < 21; i++)); do xdo key Tab; done
  xdo key ctrl+a ctrl+c
  if ! wait_clip dll 10 && ! wait_clip "$ws/mentalray/lib" 10; then
    fail "21 Tab presses after the Maya edit did not reach the last row's edits"
  fi
  xdo key Tab Tab Tab
  local inode_before
  inode_before=$(stat -c %i "$ws/init.txt")
  [[ ! -e $settings_ini ]] || fail "settings were written before 'Sauvegarde'"
  outcome=$(press_and_watch)
  [[ $outcome == settings ]] || fail "pressing 'Sauvegarde' gave '$outcome' instead of writing $settings_ini"
  [[ $(stat -c %i "$ws/init.txt") != "$inode_before" ]] || fail "'Sauvegarde' did not rewrite init.txt"
  cmp -s "$ws/init.txt" "$tmp/init.expected" || {
    diff -u "$tmp/init.expected" "$ws/init.txt" >&2 || true
    fail "init.txt after 'Sauvegarde' differs from the configuration shown"
  }
  # No folder was chosen in a dialog: every remembered folder is still empty.
  grep -qx '\[paths\]' "$settings_ini" || fail "$settings_ini has no [paths] group"
  local key
  for key in maya mr fti xpm mel mi dll shader; do
    grep -qx "$key=" "$settings_ini" || fail "$settings_ini lacks an empty '$key' entry"
  done
  step "'Sauvegarde' rewrote init.txt and wrote $(basename "$settings_ini")"

  xdo key Escape
  wait_exit 0

  # -- second run: every button in turn until OK; the empty fields make
  # "Installer le Shader" change nothing, "..." opens the folder dialog.
  cp "$ws/init.txt" "$tmp/init.after"
  start_app
  local done_ok=0
  for ((tabs = 0; tabs < 16 && !done_ok; tabs++)); do
    if is_empty_edit; then
      xdo key BackSpace
    else
      outcome=$(press_and_watch)
      case $outcome in
        exit) wait_exit 1; done_ok=1; continue ;;
        window*) check_folder_dialog "${outcome#window }" ;;
        rayrc) fail "a button changed maya.rayrc while the fields were empty" ;;
      esac
    fi
    xdo key Tab
  done
  ((done_ok)) || fail "OK was not reached"
  ((folder_dialog_seen)) || fail "the '...' button never opened the folder dialog"
  cmp -s "$ws/init.txt" "$tmp/init.after" || fail "the second run changed init.txt"
  cmp -s "$ws/mentalray/maya.rayrc" "$tmp/rayrc.expected" || fail "the second run changed maya.rayrc"

  # -- the backup made at start-up holds maya.rayrc as it was
  local day_after backup
  day_after=$(date +%Y_%m_%d)
  backup=$ws/maya.rayrc$day_before
  [[ -f $backup ]] || backup=$ws/maya.rayrc$day_after
  [[ -f $backup ]] || fail "no backup maya.rayrc$day_after in the workspace"
  cmp -s "$backup" "$tmp/rayrc.orig" || fail "$(basename "$backup") is not the original maya.rayrc"
  step "backup $(basename "$backup") holds the original maya.rayrc"

  # -- third run: the installed shaders tab takes the shader back out. Its
  # list, details and "refresh" do nothing on space; "uninstall" asks first,
  # "cancel" being the default, and Tab moves to the button that goes on.
  start_app
  xdo key ctrl+Tab ctrl+Tab ctrl+Tab
  local asked=
  for ((tabs = 0; tabs < 8; tabs++)); do
    [[ -z $asked ]] || break
    xdo key Tab
    outcome=$(press_and_watch)
    case $outcome in
      window*) asked=${outcome#window } ;;
      exit | rayrc) fail "space on the installed shaders tab gave '$outcome' before any question" ;;
    esac
  done
  [[ -n $asked ]] || fail "no button of the installed shaders tab asked to uninstall"
  [[ $(xdo getwindowname "$asked" || true) == "$uninstall_title" ]] \
    || fail "the question is titled '$(xdo getwindowname "$asked")', expected '$uninstall_title'"
  xdo windowfocus "$asked"
  sleep 0.2
  xdo key Tab space
  wait_for_file "$ws/mentalray/maya.rayrc" "$tmp/rayrc.orig" "the uninstall did not give maya.rayrc back"
  [[ -z $(find "$ws/maya" "$ws/mentalray" -name 'velvet.*') ]] || fail "the uninstall left copies behind"
  step "uninstalled from the installed shaders tab: maya.rayrc as it was, no copy left"
  xdo windowfocus "$main"
  sleep 0.3
  xdo key Escape
  wait_exit 0

  # What this run leaves, with the dated name made comparable across days.
  local result=$tmp/result-$lang_tag
  mkdir -p "$result"
  cp -a "$ws" "$result/ws"
  mv "$result/ws/$(basename "$backup")" "$result/ws/maya.rayrc.backup"
  # The uninstall took its receipt with it.
  [[ -z $(find "$result/ws/receipts" -type f 2>/dev/null) ]] || fail "the uninstall left a receipt"
  cp -a "$XDG_CONFIG_HOME/velkarinth.example.org" "$result/settings"
  step "scenario passed"
}

run_scenario fr_FR.UTF-8 fr 'Sélectionner un répertoire' 'Désinstaller'
run_scenario en_US.UTF-8 en 'Select a directory' 'Uninstall'

lang_tag=fr+en
diff -r "$tmp/result-fr" "$tmp/result-en" >&2 || fail "the French and English runs left different files"
step "French and English runs left identical files and settings"
echo "e2e_real_window: passed in $((SECONDS - started)) s"
