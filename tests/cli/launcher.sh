#!/usr/bin/env bash
# The installed program: cmake --install into a temporary prefix, then the
# launcher, started under an English locale, must open the program in its
# per-user folder and in English (the folder dialog's title, as the X server
# reports it).
#
# usage: launcher.sh CMAKE BUILD_DIR
set -euo pipefail
cmake_command=$1
build=$2
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

tmp=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  for pid in "$app_pid" "$xvfb_pid"; do
    [[ -n $pid ]] && kill -9 "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [[ -f $tmp/app.log ]] && cat "$tmp/app.log" >&2
  exit 1
}
xdo() { timeout 5 xdotool "$@"; }
# wait_window PATTERN: prints the id of the first visible window so named.
wait_window() {
  local id
  for _ in {1..150}; do
    id=$(xdo search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

"$cmake_command" --install "$build" --prefix "$tmp/prefix" >/dev/null
for file in bin/velkarinth libexec/velkarinth/velkarinth share/velkarinth/velkarinth_en.qm \
    share/applications/velkarinth.desktop share/icons/hicolor/scalable/apps/velkarinth.svg \
    share/man/man1/velkarinth.1.gz share/man/man1/velkarinth-cli.1.gz; do
  [[ -e $tmp/prefix/$file ]] || fail "cmake --install did not install $file"
done

# The launcher links the installed catalogue into the working folder only
# over nothing or a link an install left; whatever the user put there stays.
fake=$tmp/fake
qm=$tmp/data/velkarinth/velkarinth_en.qm
ours=$fake/bin/../share/velkarinth/velkarinth_en.qm
mkdir -p "$fake/bin" "$fake/libexec/velkarinth" "$tmp/data/velkarinth"
cp "$tmp/prefix/bin/velkarinth" "$fake/bin/"
ln -s "$(type -P true)" "$fake/libexec/velkarinth/velkarinth"
state() { if [[ -L $qm ]]; then readlink "$qm"; else cat "$qm"; fi; }
while IFS='|' read -r setup want; do
  rm -f "$qm"
  eval "$setup"
  XDG_DATA_HOME=$tmp/data "$fake/bin/velkarinth" || fail "the launcher failed after: $setup"
  [[ $(state) == "$(eval echo "$want")" ]] || fail "after '$setup' the catalogue is $(state)"
done <<'EOF'
echo mine >"$qm"|mine
ln -s /elsewhere/velkarinth_en.qm "$qm"|/elsewhere/velkarinth_en.qm
ln -s /old/bin/../share/velkarinth/velkarinth_en.qm "$qm"|$ours
:|$ours
EOF

# shellcheck source=scripts/xvfb.sh
source "$ROOT/scripts/xvfb.sh"
start_xvfb "$tmp" || fail "Xvfb did not start"
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/runtime
unset XDG_DATA_HOME XDG_CONFIG_HOME
export LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$ROOT/tests/lsan.supp
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=en_US.UTF-8 QT_QPA_PLATFORM=xcb \
  "$tmp/prefix/bin/velkarinth" >"$tmp/app.log" 2>&1 &
app_pid=$!
main=$(wait_window '^Velkarinth$') || fail "no Velkarinth window"

work=$HOME/.local/share/velkarinth
[[ $(readlink -f "/proc/$app_pid/cwd") == "$(readlink -f "$work")" ]] \
  || fail "the program does not run in $work"
[[ $(readlink -f "$work/velkarinth_en.qm") == "$(readlink -f "$tmp/prefix/share/velkarinth/velkarinth_en.qm")" ]] \
  || fail "the translation is not linked into $work"

# Focus starts in the shader folder field: Tab reaches its "...".
sleep 0.5
xdo windowfocus "$main"
sleep 0.3
xdo key Tab space
dialog=$(wait_window '^Select a directory$') || fail "no folder dialog titled 'Select a directory'"
xdo windowfocus "$dialog"
sleep 0.2
xdo key Escape
sleep 0.5
xdo windowfocus "$main"
sleep 0.2
xdo key Escape
for _ in {1..100}; do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$app_pid" || status=$?
app_pid=
((status == 0)) || fail "exit code $status after Escape"
echo "the installed launcher opened the program in English in $work"
