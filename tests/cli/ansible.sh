#!/usr/bin/env bash
# The README's playbook, run for real with ansible-playbook against three
# workspaces on this machine: two that can take the shader and one without
# its scripts folder. First run: changed, changed, failed; second run: ok
# with nothing changed, ok, failed again. Once the folder is made, the third
# run finishes that host's install (changed), and the fourth finds it ok.
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
export XDG_CONFIG_HOME=$tmp/config LC_ALL=C.UTF-8 PATH=$(dirname "$cli"):$PATH
export ANSIBLE_LOCAL_TEMP=$tmp/ansible ANSIBLE_REMOTE_TMP=$tmp/ansible ANSIBLE_NOCOLOR=1 \
  ANSIBLE_RETRY_FILES_ENABLED=0 ANSIBLE_PYTHON_INTERPRETER=/usr/bin/python3

mkdir -p "$tmp/play/shaders"
awk '/^### On many workstations/ { on = 1 } on && /^```yaml/ { grab = 1; next }
     grab && /^```/ { exit } grab { print }' "$ROOT/README.md" >"$tmp/play/site.yml"
[[ -s $tmp/play/site.yml ]] || fail "no playbook found in the README"
echo "[workstations]" >"$tmp/inventory"
for ws in good1 good2 broken; do
  bash "$ROOT/scripts/make-demo.sh" "$tmp/$ws" >/dev/null
  echo "$ws ansible_connection=local velkarinth_home=$tmp/$ws shader_dir=$tmp/$ws/velvet" >>"$tmp/inventory"
done
cp -r "$tmp/good1/shader-sample" "$tmp/play/shaders/velvet"
rm -r "$tmp/broken/maya/scripts"

# recap RUN HOST: that host's line of the run's PLAY RECAP.
recap() { grep -E "^$2 +:" "$tmp/run$1" || fail "run $1: no recap for $2: $(cat "$tmp/run$1")"; }
count() { recap "$1" "$2" | grep -oE "$3=[0-9]+" | cut -d= -f2; }
for run in 1 2; do
  ansible-playbook -i "$tmp/inventory" "$tmp/play/site.yml" >"$tmp/run$run" 2>&1 || true
  for ws in good1 good2; do
    [[ $(count $run $ws failed) == 0 ]] || fail "run $run: $ws failed: $(cat "$tmp/run$run")"
    "$cli" -C "$tmp/$ws" status "$tmp/$ws/velvet" >/dev/null || fail "run $run: $ws not installed"
  done
  [[ $(count $run broken failed) == 1 ]] || fail "run $run: the broken host did not fail: $(cat "$tmp/run$run")"
done
[[ $(count 1 good1 changed) -ge 1 && $(count 1 good2 changed) -ge 1 ]] || fail "run 1 changed nothing"
[[ $(count 2 good1 changed) == 0 && $(count 2 good2 changed) == 0 ]] \
  || fail "run 2 changed something: $(cat "$tmp/run2")"
grep -q "broken/maya/scripts" "$tmp/run2" || fail "the broken host's reason is not shown"
mkdir "$tmp/broken/maya/scripts"
for run in 3 4; do
  ansible-playbook -i "$tmp/inventory" "$tmp/play/site.yml" >"$tmp/run$run" 2>&1 || true
  [[ $(count $run broken failed) == 0 ]] || fail "run $run: the mended host failed: $(cat "$tmp/run$run")"
done
[[ $(count 3 broken changed) -ge 1 && $(count 4 broken changed) == 0 ]] \
  || fail "the mended host is not changed, then ok: $(cat "$tmp/run3" "$tmp/run4")"
"$cli" -C "$tmp/broken" status "$tmp/broken/velvet" >/dev/null || fail "the mended host is not installed"
echo "ansible: changed, then ok; the broken host failed with its reason, then once mended was finished"
