#!/usr/bin/env bash
# Many runs at once on one workspace, as a deployment tool starts them: N
# installs of N shaders, then their N uninstalls, then rounds of the two
# directory setters. Nothing may be lost and every run must exit 0.
#
# usage: parallel.sh VELKARINTH_CLI [N]
set -euo pipefail
cli=$1
n=${2:-12}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data LC_ALL=C.UTF-8
ws=$tmp/ws
mkdir -p "$ws/mr" "$ws/scripts"
printf '[MAYA_PATH]\n%s\n[MR_PATH]\n%s\n[Shader Mental Ray]\n1\nmel*%s*o\n' \
  "$ws" "$ws/mr" "$ws/scripts" >"$ws/init.txt"
printf '# user line\n\tlink "base.so";\n\tmi "base.mi";\n' >"$ws/mr/maya.rayrc"
cp "$ws/mr/maya.rayrc" "$tmp/rayrc.before"
for i in $(seq "$n"); do
  mkdir -p "$tmp/shaders/s$i"
  echo "proc s$i" >"$tmp/shaders/s$i/s$i.mel"
done

# each COMMAND: runs velkarinth-cli COMMAND for every shader at once; every
# run must exit 0.
each() {
  seq "$n" | xargs -P "$n" -I{} sh -c '"$1" -C "$2" "$3" "$4/s$5" --link "link \"s$5.so\";" \
      --mi "mi \"s$5.mi\";" >/dev/null 2>>"$6" || echo "s$5 exited $?" >>"$6"' \
    _ "$cli" "$ws" "$1" "$tmp/shaders" {} "$tmp/errors"
  [[ ! -s $tmp/errors ]] || { cat "$tmp/errors" >&2; fail "a parallel $1 failed"; }
}

each install
for i in $(seq "$n"); do
  grep -qxF $'\tlink "s'"$i"'.so";' "$ws/mr/maya.rayrc" || fail "link entry of s$i lost"
  grep -qxF $'\tmi "s'"$i"'.mi";' "$ws/mr/maya.rayrc" || fail "mi entry of s$i lost"
  [[ -f $ws/scripts/s$i.mel ]] || fail "s$i.mel not copied"
done
each uninstall
cmp -s "$ws/mr/maya.rayrc" "$tmp/rayrc.before" || fail "parallel uninstalls left entries behind"
[[ -z $(ls "$ws/scripts") ]] || fail "parallel uninstalls left files behind"

for round in $(seq 10); do
  "$cli" -C "$ws" config maya "/maya/$round" & maya=$!
  "$cli" -C "$ws" config mr "/mr/$round" & mr=$!
  wait "$maya" || fail "config maya exited $? in round $round"
  wait "$mr" || fail "config mr exited $? in round $round"
  [[ $(sed -n 2p "$ws/init.txt") == "/maya/$round" && $(sed -n 4p "$ws/init.txt") == "/mr/$round" ]] \
    || fail "a directory was lost in round $round: $(sed -n '2p;4p' "$ws/init.txt" | tr '\n' ' ')"
done
[[ -z $(find "$ws" -name '*.lock' -o -name '*journal*') ]] || fail "locks or journals left behind"
echo "$n parallel installs and uninstalls, 10 rounds of setters: nothing lost"
