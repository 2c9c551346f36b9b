#!/usr/bin/env bash
# The deployment guide's playbook, its init.txt template and its rollback, run for real
# with Ansible against three workspaces on this machine, whose init.txt only
# the template writes: two that can take the shader and one without its
# scripts folder. Version 1: changed, changed, failed; again: ok, ok, failed
# with its reason. Once that folder is made, version 2 (a new velvet.mel and
# link line): changed everywhere, the mended host finished; again: ok. The
# ad-hoc rollback brings version 1 back, byte for byte. Version 3 on a host
# where an artist edited an installed copy: that host fails naming the file
# and keeps version 2 whole; the others take version 3.
#
# usage: ansible.sh VELKARINTH_CLI
set -euo pipefail
cli=$(realpath "$1")
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
if ! command -v ansible-playbook >/dev/null; then
  bash "$ROOT/scripts/deps.sh" ansible >/dev/null 2>&1 || true
fi
if ! command -v ansible-playbook >/dev/null; then
  echo "SKIP: ansible-playbook is not installed and could not be (Debian package ansible)"
  exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The playbook calls it by its installed name, whatever the build named it.
mkdir "$tmp/bin" && ln -s "$cli" "$tmp/bin/velkarinth-cli"
export XDG_CONFIG_HOME=$tmp/config LC_ALL=C.UTF-8 PATH=$tmp/bin:$PATH
export ANSIBLE_LOCAL_TEMP=$tmp/ansible ANSIBLE_REMOTE_TMP=$tmp/ansible ANSIBLE_NOCOLOR=1 \
  ANSIBLE_RETRY_FILES_ENABLED=0 ANSIBLE_PYTHON_INTERPRETER=/usr/bin/python3

# block LANG: the first ```LANG block of docs/deployment.md's "### On many workstations".
block() {
  awk -v fence="\`\`\`$1" '/^### On many workstations/ { on = 1; next } on && /^##/ { exit }
       on && $0 == fence { grab = 1; next } grab && /^```/ { exit } grab { print }' "$ROOT/docs/deployment.md"
}
play=$tmp/play shader=$tmp/play/shaders/velvet
mkdir -p "$play/shaders"
block yaml >"$play/site.yml"
block jinja >"$play/init.txt.j2"
rollback=$(block sh)
[[ -s $play/site.yml && -s $play/init.txt.j2 && $rollback == ansible\ * ]] \
  || fail "no playbook, template or rollback command found in docs/deployment.md"
echo "[workstations]" >"$tmp/inventory"
for ws in good1 good2 broken; do
  bash "$ROOT/scripts/make-demo.sh" "$tmp/$ws" >/dev/null
  rm "$tmp/$ws/init.txt"
  echo "$ws ansible_connection=local velkarinth_home=$tmp/$ws shader_dir=$tmp/$ws/velvet" \
       "maya_path=$tmp/$ws/maya mr_path=$tmp/$ws/mentalray" >>"$tmp/inventory"
done
cp -r "$tmp/good1/shader-sample" "$shader"
rm -r "$tmp/broken/maya/scripts"

# run N [ARGS]: the playbook, its output kept as runN.
run() { local n=$1; shift; ansible-playbook -i "$tmp/inventory" "$@" "$play/site.yml" >"$tmp/run$n" 2>&1 || true; }
# expect N HOST FAILED CHANGED: that host's line of run N's recap.
expect() {
  local line
  line=$(grep -E "^$2 +:" "$tmp/run$1") || fail "run $1: no recap for $2: $(cat "$tmp/run$1")"
  [[ $line =~ changed=$4\ .*failed=$3\  ]] \
    || fail "run $1: $2 is not changed=$4 failed=$3: $(cat "$tmp/run$1")"
}
# reason N TEXT: a failed command's stderr in run N names TEXT (stdout's JSON
# names every destination, so only stderr tells the reason was given).
reason() {
  grep -oE '"stderr": "([^"\\]|\\.)*"' "$tmp/run$1" | grep -qF "$2" \
    || fail "run $1: no reason naming $2: $(cat "$tmp/run$1")"
}
# current N WS: WS has the shader beside the playbook installed and intact.
current() {
  "$cli" -C "$tmp/$2" status "$tmp/$2/velvet" >/dev/null || fail "run $1: $2 is not installed and intact"
  cmp -s "$shader/velvet.mel" "$tmp/$2/maya/scripts/velvet.mel" || fail "run $1: $2 lacks the new velvet.mel"
}
# edit FILE FROM TO: a new version of one line of the shader's FILE.
edit() {
  grep -qF "$2" "$shader/$1" || fail "no '$2' in $1"
  sed -i "s/$2/$3/" "$shader/$1"
}
# snap WS NAME, same WS NAME: WS's installed files and maya.rayrc kept as NAME,
# then found byte for byte as kept.
installed=(maya/icons/velvet.fti maya/icons/velvet.xpm maya/scripts/velvet.mel
           mentalray/include/velvet.mi mentalray/lib/velvet.dll mentalray/maya.rayrc)
snap() { mkdir "$tmp/$2"; for f in "${installed[@]}"; do cp "$tmp/$1/$f" "$tmp/$2/${f//\//_}"; done; }
same() {
  for f in "${installed[@]}"; do
    cmp -s "$tmp/$1/$f" "$tmp/$2/${f//\//_}" || fail "$1's $f is not as in $2"
  done
}

# Version 1: the template, the copy and the install write on the good hosts.
run 1
run 2
for ws in good1 good2; do
  expect 1 $ws 0 3
  expect 2 $ws 0 0
  current 2 $ws
done
expect 1 broken 1 2
expect 2 broken 1 0
reason 2 "$tmp/broken/maya/scripts"
snap good1 v1

# Version 2: a line of velvet.mel and the link line change; the mended host
# is finished at it.
mkdir "$tmp/broken/maya/scripts"
edit velvet.mel 'velvet shader ready' 'velvet shader ready, version 2'
v2=(-e '{"shader_link": "link \"{MAYA_LOCATION}/mentalray/lib/velvet2.so\";"}')
run 3 "${v2[@]}"
run 4 "${v2[@]}"
for ws in good1 good2 broken; do
  expect 3 $ws 0 2
  expect 4 $ws 0 0
  current 3 $ws
  rayrc=$tmp/$ws/mentalray/maya.rayrc
  if ! grep -qF 'lib/velvet2.so' "$rayrc" || grep -qF 'lib/velvet.so' "$rayrc"; then
    fail "$ws's maya.rayrc has not the new link line alone"
  fi
done

# The guide's rollback on one host: version 1's files and lines come back.
eval "$rollback" -i '"$tmp/inventory"' --limit good1 >"$tmp/rollback" 2>&1 \
  || fail "the rollback failed: $(cat "$tmp/rollback")"
same good1 v1

# Version 3 after an artist tuned good2's velvet.mi: good2 keeps version 2
# whole (its velvet.mel too, which comes before), the others take version 3.
echo '# tuned by hand' >>"$tmp/good2/mentalray/include/velvet.mi"
snap good2 edited
edit velvet.mel 'version 2' 'version 3'
edit velvet.mi 'version 1' 'version 3'
run 5 "${v2[@]}"
expect 5 good1 0 2
expect 5 broken 0 2
current 5 good1
current 5 broken
expect 5 good2 1 1
reason 5 "$tmp/good2/mentalray/include/velvet.mi"
same good2 edited
echo "ansible: versions 1 and 2 changed, then ok; the broken host failed with its reason, then was finished;" \
     "the rollback brought version 1 back; version 3 was refused whole where a copy was edited"
