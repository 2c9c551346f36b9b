#!/usr/bin/env bash
# velkarinth-cli run by root where another user (uid 65534) could plant files:
# journals, links and FIFOs at the names it uses, forged receipts, a full
# disk, linked files and folders it must not trust. Each row starts from a
# fresh demo workspace; a root-only file outside every configured folder must
# come through byte for byte, and nothing may appear where a planted link points.
#
# usage: attacks.sh VELKARINTH_CLI
set -uo pipefail
cli=$1
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
if ((EUID != 0)); then
  echo "attacks.sh: needs root, to act as a second user; skipped"
  exit 77
fi
tmp=$(mktemp -d)
chmod 755 "$tmp"
tmp=$(cd "$tmp" && pwd -P) # the program hashes absolute paths
disk=$tmp/disk
trap 'mountpoint -q "$disk" && umount -l "$disk"; rm -rf "$tmp"' EXIT
mkdir -m 1777 "$tmp/systmp"
mkdir -m 0700 "$tmp/roothome"
export XDG_CONFIG_HOME=$tmp/config LC_ALL=C.UTF-8 LANG=C.UTF-8 TMPDIR=$tmp/systmp
link='link "{MAYA_LOCATION}/mentalray/lib/velvet.so";'
mi='mi "{MAYA_LOCATION}/mentalray/include/velvet.mi";'
day=$(date +%Y_%m_%d)
victim=$tmp/victim
lines=(--link "$link" --mi "$mi")
evil='link "/evil.so";'$'\n'

nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"; }
plant() { nobody tee "$1" >/dev/null; } # stdin into a file the attacker makes
bad() { why+="${why:+; }$*"; }

# fresh [DIR]: a new demo workspace in $ws, by default beside the others.
n=0
fresh() {
  ws=${1:-$tmp/ws$((++n))}
  bash "$ROOT/scripts/make-demo.sh" "$ws" >/dev/null || bad "make-demo failed in $ws"
  rayrc=$ws/mentalray/maya.rayrc
  receipt=$ws/receipts/$(printf '%s\n%s' "$ws/shader-sample" "$rayrc" | sha256sum | cut -c1-24).json
  trust=
}
# opened: the workspace (and its Mental Ray folder) writable by the attacker,
# trusted by the root run's opt-in.
opened() {
  chmod 0777 "$ws" "$@"
  trust=$ws
}

# run ARGS...: a root run in the workspace; status in $rc, output in $tmp/out, $tmp/err.
run() {
  rc=0
  { (
    # A run that reads a device without end fails, not the machine. AddressSanitizer
    # reserves far more address space than that and keeps its own limit.
    if [[ -n ${ASAN_OPTIONS:-} ]]; then
      export ASAN_OPTIONS=$ASAN_OPTIONS:hard_rss_limit_mb=4096
    else
      ulimit -v 4194304
    fi
    env ${trust:+VELKARINTH_TRUSTED_FOLDER="$trust"} HOME="$tmp/roothome" \
      timeout 30 "$cli" -C "$ws" "$@"
  ) >"$tmp/out" 2>"$tmp/err" </dev/null || rc=$?; } 2>/dev/null # no job notice
  case $rc in
    124) bad "hung: $*" ;;
    134 | 139) bad "crashed ($rc): $*" ;;
  esac
  return 0
}
# finished ARGS...: succeeds, or fails saying why.
finished() {
  run "$@"
  ((rc == 0 || rc >= 124)) || [[ -s $tmp/err ]] || bad "$1 failed ($rc) without a word"
}
# intact: the victim as it was, no file behind a planted link; then both reset.
intact() {
  [[ -f $victim && $(cat "$victim") == "root secret" ]] || bad "${1:-}victim changed"
  for f in "$tmp"/created*; do [[ -e $f || -L $f ]] && bad "${1:-}$f created"; done
  rm -rf "$tmp"/created* "$victim" "${TMPDIR:?}"/* "$TMPDIR"/.[!.]*
  echo "root secret" >"$victim" && chmod 0600 "$victim"
}
# journal TARGET BYTES: a journal of ours for TARGET whose new content never was.
journal() {
  printf 'VELKARINTH-JOURNAL 1\n%s\n%d 1 %s\n%s' "$1" "$(printf %s "$2" | wc -c)" \
    "$(printf x | sha1sum | cut -c1-40)" "$2"
}

row_tmp_journal() {
  fresh && chmod 0700 "$ws"
  cp "$rayrc" "$tmp/rayrc.before"
  local hash
  hash=$(printf %s "$rayrc" | sha1sum | cut -c1-12)
  journal "$rayrc" "$evil" | plant "$TMPDIR/maya.rayrc-$hash.velkarinth-journal"
  run config
  cat "$tmp/err" >"$tmp/errs"
  run install --dry-run shader-sample "${lines[@]}"
  cat "$tmp/err" >>"$tmp/errs"
  cmp -s "$rayrc" "$tmp/rayrc.before" || bad "maya.rayrc replayed from the temporary folder's journal"
  grep -qiE 'half|moitié' "$tmp/errs" && bad "told of a restore: $(head -c 200 "$tmp/errs")"
}

row_journal_symlink() {
  fresh && opened
  nobody ln -s "$victim" "$ws/maya.rayrc$day"
  journal "$ws/maya.rayrc$day" "$evil" | plant "$ws/maya.rayrc$day.velkarinth-journal"
  run install shader-sample "${lines[@]}"
}

row_planted_receipt() {
  fresh && opened
  nobody mkdir "$ws/receipts"
  printf '{"format":1,"shaderDir":"%s","rayrc":"%s","files":[{"extension":"mel","source":"%s",' \
    "$ws/shader-sample" "$rayrc" "$ws/shader-sample/velvet.mel" >"$tmp/forged"
  printf '"destination":"%s","size":"%s","sha256":"%s","device":"%s","inode":"%s"}],"lines":[]}\n' \
    "$victim" "$(stat -c %s "$victim")" "$(sha256sum <"$victim" | cut -c1-64)" \
    "$(stat -c %d "$victim")" "$(stat -c %i "$victim")" >>"$tmp/forged"
  plant "$receipt" <"$tmp/forged"
  run uninstall shader-sample "${lines[@]}"
}

row_owned_names() {
  local sub
  for sub in a b c d; do
    fresh && opened "$ws/mentalray"
    case $sub in
      a) nobody ln -s "$victim" "$ws/maya.rayrc$day.source" ;;
      b) nobody mkdir "$ws/receipts" && nobody ln -s "$tmp/created-receipt" "$receipt" ;;
      c) nobody ln -s "$tmp/created-backup" "$ws/maya.rayrc$day" ;;
      d) ln "$rayrc" "$ws/mentalray/second" # rewritten in place, through a journal
         nobody ln -s "$victim" "$rayrc.velkarinth-journal.part" ;;
    esac
    run install shader-sample "${lines[@]}"
    intact "($sub) "
  done
}

row_lock_fifo() {
  fresh && opened "$ws/mentalray"
  nobody mkfifo "$ws/init.txt.lock" "$rayrc.lock"
  finished config
  finished install shader-sample "${lines[@]}"
  rm -rf "$ws/init.txt.lock" "$rayrc.lock" "$ws/receipts"
  nobody mkdir "$ws/receipts" && nobody mkfifo "$receipt"
  run status shader-sample
  rm -f "$receipt" && nobody ln -s /dev/zero "$receipt"
  run status shader-sample
}

row_full_disk() {
  mkdir -p "$disk"
  local why_not
  if ! why_not=$(mount -t tmpfs -o size=128k,mode=755 tmpfs "$disk" 2>&1); then
    skip="cannot mount a small tmpfs: $why_not"
    return
  fi
  fresh "$disk/ws"
  dd if=/dev/zero of="$disk/fill" bs=4k >/dev/null 2>&1
  run config mr /elsewhere
  ((rc != 0)) || bad "config mr succeeded on a full disk"
  grep -qE 'another Velkarinth run|autre programme Velkarinth' "$tmp/err" \
    && bad "a full disk reported as busy: $(head -c 200 "$tmp/err")"
}

row_linked_rayrc() {
  fresh && mkdir -p "$tmp/shared"
  mv "$rayrc" "$tmp/shared/maya.rayrc" && ln -s "$tmp/shared/maya.rayrc" "$rayrc"
  run install shader-sample "${lines[@]}"
  ((rc == 0)) || bad "install through a linked maya.rayrc failed ($rc): $(head -c 200 "$tmp/err")"
  [[ -L $rayrc ]] || bad "maya.rayrc is no longer a link"
  grep -qF $'\t'"$link" "$tmp/shared/maya.rayrc" || bad "the linked maya.rayrc lacks the link line"
  mv "$ws/init.txt" "$tmp/shared/init.txt" && ln -s "$tmp/shared/init.txt" "$ws/init.txt"
  run config mr /x
  [[ -L $ws/init.txt ]] || bad "init.txt is no longer a link"
  [[ $(sed -n 4p "$tmp/shared/init.txt") == /x ]] || bad "the linked init.txt's line 4 is not /x"
  # The attacker's link in place of maya.rayrc, in a folder open to all, to
  # a root-only file that has entries, so only the link can stop the write.
  fresh && chmod 0777 "$ws/mentalray" && mv "$rayrc" "$tmp/victim-rayrc"
  chmod 0600 "$tmp/victim-rayrc" && cp -p "$tmp/victim-rayrc" "$tmp/rayrc.before"
  nobody ln -s "$tmp/victim-rayrc" "$rayrc"
  run install shader-sample "${lines[@]}"
  cmp -s "$tmp/victim-rayrc" "$tmp/rayrc.before" || bad "wrote through the attacker's maya.rayrc link"
  if ((rc == 0)) || [[ ! -s $tmp/err ]]; then
    bad "install through the attacker's link: status $rc, no reason given"
  fi
}

row_planted_leftovers() {
  fresh && opened "$ws/maya/scripts"
  local dead scripts=$ws/maya/scripts
  dead=$(sh -c 'echo $$')
  echo mine | plant "$scripts/.velvet.mel.velkarinth-copying-$dead-1"
  nobody ln -s "$victim" "$scripts/.velvet.xpm.velkarinth-removing-$dead-2"
  echo torn >"$scripts/.velvet.mi.velkarinth-copying-$dead-3"
  run install shader-sample "${lines[@]}"
  ((rc == 0)) || bad "install beside planted working files failed ($rc): $(head -c 200 "$tmp/err")"
  [[ $(cat "$scripts/.velvet.mel.velkarinth-copying-$dead-1" 2>/dev/null) == mine ]] \
    || bad "another user's file under a working name was removed"
  [[ -L $scripts/.velvet.xpm.velkarinth-removing-$dead-2 ]] || bad "another user's link was removed"
  [[ -e $scripts/.velvet.mi.velkarinth-copying-$dead-3 ]] && bad "a dead run's own working file was not swept"
  rm -f "$scripts"/.velvet.*
}

row_planted_aside() {
  fresh && opened "$ws/maya/scripts"
  finished install shader-sample "${lines[@]}"
  local scripts=$ws/maya/scripts aside=$ws/maya/scripts/.velvet.mel.velkarinth-old-999999-1
  # A root upgrade died with the copy set aside; the attacker swapped it for
  # a file of theirs before the next run.
  mv "$scripts/velvet.mel" "$tmp/old-copy"
  echo 'evil proc' | plant "$aside"
  python3 - "$receipt" "$aside" "$ws/mentalray" <<'PY'
import json, sys
receipt, aside, mr = sys.argv[1:]
r = json.load(open(receipt))
mel = next(f for f in r["files"] if f["extension"] == "mel")
journal = {"format": 1, "phase": "swapping", "rollback": False, "shaderDir": r["shaderDir"], "mrDir": mr,
           "files": [{"action": "replace", "copy": dict(mel, size="-1"), "receipted": mel, "staged": "",
                      "aside": aside}],
           "lines": [{"entry": l["entry"], "before": l["text"], "after": l["text"]} for l in r["lines"]],
           "oldLines": r["lines"]}
with open(receipt[:-len(".json")] + ".upgrade", "w") as out:
    json.dump(journal, out)
PY
  chmod 0600 "${receipt%.json}.upgrade"
  run status shader-sample
  [[ -e $scripts/velvet.mel ]] && bad "the attacker's file was put in place of the copy"
  [[ $(cat "$aside") == 'evil proc' ]] || bad "the attacker's file was changed"
  grep -qiE 'undone|défait' "$tmp/err" || bad "the half-done upgrade was not told of: $(head -c 200 "$tmp/err")"
}

row_trust_rule() {
  local kind
  for kind in owned open; do
    fresh
    if [[ $kind == owned ]]; then chown -R 65534:65534 "$ws"; else chmod 0777 "$ws"; fi
    find "$ws" -printf '%p %m %s\n' | sort >"$tmp/list.before"
    run config
    ((rc == 1)) || bad "$kind workspace: config exited $rc, not 1"
    grep -qF "$ws" "$tmp/err" || bad "$kind workspace: the refusal does not name $ws"
    grep -qF VELKARINTH_TRUSTED_FOLDER "$tmp/err" || bad "$kind workspace: the refusal does not name the opt-in"
    find "$ws" -printf '%p %m %s\n' | sort | cmp -s "$tmp/list.before" - \
      || bad "$kind workspace: the refused run changed it"
  done
  fresh && chown -R 65534:65534 "$ws"
  trust=$ws run config
  ((rc == 0)) || bad "trusted workspace: config exited $rc: $(head -c 200 "$tmp/err")"
}

passed=0 failed=0
intact
for row in tmp-journal journal-symlink planted-receipt owned-names lock-fifo full-disk \
           linked-rayrc planted-leftovers planted-aside trust-rule; do
  why='' skip=''
  "row_${row//-/_}"
  intact
  if [[ -n $skip ]]; then
    echo "SKIP $row: $skip"
  elif [[ -z $why ]]; then
    echo "PASS $row" && ((++passed))
  else
    echo "FAIL $row: $why" && ((++failed))
  fi
done
echo "$passed passed, $failed failed"
((failed == 0))
