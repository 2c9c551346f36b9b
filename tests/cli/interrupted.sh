#!/usr/bin/env bash
# A run killed at random moments while it writes maya.rayrc in place (the
# file has a second hard link): the next run must find the file whole, as it
# was or as the install made it, and leave no journal behind.
#
# usage: interrupted.sh VELKARINTH_CLI [KILLS]
set -euo pipefail
cli=$1
kills=${2:-12}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data LC_ALL=C.UTF-8
ws=$tmp/ws
mkdir -p "$ws/mr" "$tmp/shader"
# No rows: the install goes straight to maya.rayrc.
printf '[MAYA_PATH]\n%s\n[MR_PATH]\n%s\n[Shader Mental Ray]\n0\n' "$ws" "$ws/mr" >"$ws/init.txt"
rayrc=$ws/mr/maya.rayrc
{ printf '# head\n\tlink "base.so";\n\tmi "base.mi";\n'; head -c 40000000 < <(yes '# a long tail of user lines'); } >"$rayrc"
ln "$rayrc" "$ws/mr/second-link"
old=$(sha1sum <"$rayrc")
install=("$cli" -C "$ws" install "$tmp/shader" --link 'link "x.so";' --mi 'mi "x.mi";')
cp "$rayrc" "$tmp/before"
start=$(date +%s%N)
"${install[@]}" >/dev/null
took=$((($(date +%s%N) - start) / 1000000)) # ms; the kills land in its later part
new=$(sha1sum <"$rayrc")
[[ $new != "$old" ]] || fail "the install did not change maya.rayrc"

torn=0
for k in $(seq "$kills"); do
  cat "$tmp/before" >"$rayrc" # in place: the hard link stays
  "${install[@]}" >/dev/null 2>&1 &
  pid=$!
  ms=$((took * 3 / 10 + RANDOM % (took * 7 / 10 + 1)))
  sleep "$((ms / 1000)).$(printf %03d $((ms % 1000)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [[ -n $(find "$ws" "${TMPDIR:-/tmp}" -maxdepth 2 -name 'maya.rayrc*journal' 2>/dev/null) ]] && torn=$((torn + 1))
  "$cli" -C "$ws" config >/dev/null 2>"$tmp/err" || fail "the run after kill $k failed"
  now=$(sha1sum <"$rayrc")
  [[ $now == "$old" || $now == "$new" ]] || fail "kill $k left maya.rayrc torn"
  [[ $(stat -c %h "$rayrc") == 2 ]] || fail "kill $k broke the hard link"
  left=$(find "$ws" -name '*journal*')
  [[ -z $left ]] || fail "kill $k left a journal behind: $left"
done
echo "$kills kills, $torn during a write in place: maya.rayrc whole after each"

# A run killed while it copies a large file: the file appears whole under its
# name or not at all, and the next install sweeps what the dead run left.
mkdir -p "$ws/lib"
head -c 60000000 /dev/urandom >"$tmp/shader/big.dll"
printf '[MAYA_PATH]\n%s\n[MR_PATH]\n%s\n[Shader Mental Ray]\n1\ndll*%s*o\n' "$ws" "$ws/mr" "$ws/lib" >"$ws/init.txt"
fresh() { rm -rf "$ws/lib/big.dll" "$ws/receipts"; }
fresh
start=$(date +%s%N)
"${install[@]}" >/dev/null
took=$((($(date +%s%N) - start) / 1000000))
for k in $(seq "$kills"); do
  fresh
  "${install[@]}" >/dev/null 2>&1 &
  pid=$!
  ms=$((RANDOM % (took + 1)))
  sleep "$((ms / 1000)).$(printf %03d $((ms % 1000)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [[ ! -e $ws/lib/big.dll ]] || cmp -s "$ws/lib/big.dll" "$tmp/shader/big.dll" \
    || fail "kill $k left a torn big.dll under its name"
  "${install[@]}" >/dev/null 2>"$tmp/err" || fail "the install after kill $k failed: $(cat "$tmp/err")"
  cmp -s "$ws/lib/big.dll" "$tmp/shader/big.dll" || fail "the install after kill $k did not copy big.dll whole"
  left=$(find "$ws/lib" -name '*velkarinth*')
  [[ -z $left ]] || fail "kill $k left a working file behind: $left"
done
echo "$kills kills during a copy: never a torn file, nothing left behind"

# Upgrades killed at random moments, back and forth between two versions:
# after the next run, every file and maya.rayrc are one version's, byte for
# byte, the receipt says so, and no working file or journal is left.
mkdir -p "$tmp/v1" "$tmp/v2"
head -c 30000000 /dev/urandom >"$tmp/v1/big.dll"
head -c 30000000 /dev/urandom >"$tmp/v2/big.dll"
echo 'proc one' >"$tmp/v1/a.mel"
echo 'proc two' >"$tmp/v2/a.mel"
printf '[MAYA_PATH]\n%s\n[MR_PATH]\n%s\n[Shader Mental Ray]\n2\ndll*%s*o\nmel*%s*o\n' \
  "$ws" "$ws/mr" "$ws/lib" "$ws/lib" >"$ws/init.txt"
rm -rf "$tmp/shader" "${ws:?}/lib" "$ws/receipts"
mkdir -p "$ws/lib"
cat "$tmp/before" >"$rayrc"
line() { printf 'link "v%s.so";' "$1"; }
upgrade=("$cli" -C "$ws" install --upgrade "$tmp/shader" --mi 'mi "x.mi";')
# show N: the shader's folder holds version N; the other waits in v1 or v2.
shown=
show() {
  [[ -z $shown ]] || mv "$tmp/shader" "$tmp/v$shown"
  mv "$tmp/v$1" "$tmp/shader"
  shown=$1
}
# version: the one the workspace holds, or nothing for a mix.
version() {
  local v from
  for v in 1 2; do
    from=$tmp/v$v
    [[ $v == "$shown" ]] && from=$tmp/shader
    if cmp -s "$ws/lib/big.dll" "$from/big.dll" && cmp -s "$ws/lib/a.mel" "$from/a.mel" \
      && grep -qx "$(printf '\t')$(line $v)" "$rayrc" && ! grep -q "v$((3 - v)).so" "$rayrc"; then
      echo "$v"
    fi
  done
}
show 1
"${upgrade[@]}" --link "$(line 1)" >/dev/null
show 2
start=$(date +%s%N)
"${upgrade[@]}" --link "$(line 2)" >/dev/null
took=$((($(date +%s%N) - start) / 1000000))
[[ $(version) == 2 ]] || fail "the upgrade did not give version 2"
installed=2
undone=0
for k in $(seq "$kills"); do
  next=$((3 - installed))
  show "$next"
  "${upgrade[@]}" --link "$(line "$next")" >/dev/null 2>&1 &
  pid=$!
  ms=$((RANDOM % (took + 1)))
  sleep "$((ms / 1000)).$(printf %03d $((ms % 1000)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  "$cli" -C "$ws" config >/dev/null 2>"$tmp/err" || fail "the run after upgrade kill $k failed"
  now=$(version)
  [[ $now == 1 || $now == 2 ]] || fail "upgrade kill $k left a mix of versions"
  [[ $now == "$installed" ]] && undone=$((undone + 1))
  installed=$now
  left=$(find "$ws/lib" "$ws/receipts" -name '.*velkarinth*' -o -name '*.upgrade')
  [[ -z $left ]] || fail "upgrade kill $k left working files behind: $left"
  show "$now"
  "$cli" -C "$ws" status "$tmp/shader" --link "$(line "$now")" --mi 'mi "x.mi";' >/dev/null \
    || fail "after upgrade kill $k the receipt does not hold version $now"
done
echo "$kills kills during upgrades, $undone undone: one version whole after each"
