#!/usr/bin/env bash
# velkarinth-cli on a fresh demo workspace: the preview, then the install it
# predicted, a failing run, the exit statuses, -C and the JSON output, the
# help and the manual.
#
# usage: cli.sh [EMULATOR] VELKARINTH_CLI   (the emulator runs a Windows build)
set -euo pipefail
cli=("$@")
# A Windows program gets its arguments and names in UTF-16, so no byte of
# them can fail to be UTF-8, and its names hold no control character.
windows=0
[[ ${cli[-1]} == *.exe ]] && windows=1
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data LC_ALL=C.UTF-8 LANG=C.UTF-8
demo=$tmp/demo
bash "$ROOT/scripts/make-demo.sh" "$demo" >/dev/null
cd "$tmp"
link='link "{MAYA_LOCATION}/mentalray/lib/velvet.so";'
mi='mi "{MAYA_LOCATION}/mentalray/include/velvet.mi";'
# run EXPECTED_STATUS ARGS...: runs the command in the demo, output in $tmp/out and $tmp/err.
run() {
  local want=$1 got=0
  shift
  LC_ALL=${locale:-C.UTF-8} "${cli[@]}" -C "$demo" "$@" >"$tmp/out" 2>"$tmp/err" || got=$?
  [[ $got == "$want" ]] || { cat "$tmp/out" "$tmp/err" >&2; fail "$* exited $got, not $want"; }
}
json() { python3 -c "import json,sys; d=json.load(open('$tmp/out')); print($1)"; }
# native PATH: PATH as the program writes it (under Wine, on drive Z:).
native() { if ((windows)); then printf 'Z:%s' "${1//\//\\}"; else printf %s "$1"; fi; }
snapshot() { find "$demo" "$XDG_CONFIG_HOME" -type f -exec md5sum {} + 2>/dev/null | sort >"$1" || true; }
# preview ARGS...: a --dry-run --json that must succeed and leave everything
# as it was, not even taking the day's backup.
preview() {
  snapshot "$tmp/pre"
  run 0 "$@" --dry-run --json
  snapshot "$tmp/post"
  cmp -s "$tmp/pre" "$tmp/post" || fail "$1 --dry-run changed the workspace"
}

# Usage errors.
run 2
run 2 install "$demo/shader-sample" --link "$link"
run 2 install "$demo/shader-sample" --link "$link" --mi "$mi" --type 1
run 2 install "$demo/shader-sample" --link "$link" --mi "$mi" --type x
run 2 install "$demo/shader-sample" --link velvet.so --mi "$mi"
run 2 install "$demo/shader-sample" --link "$link" --mi $'mi "a";\nmi "b";'
run 2 install --link "$link" --mi "$mi" --no-such-option "$demo/shader-sample"
run 2 config maya
"${cli[@]}" -C "$tmp/nowhere" config >/dev/null 2>&1 && fail "-C into a missing folder succeeded"

# A working folder other users may write is believed only when named as trusted.
chmod 0777 "$demo"
run 1 config --json
grep -qF VELKARINTH_TRUSTED_FOLDER "$tmp/err" && [[ $(json "d['error']") == untrusted-folder ]] \
  || fail "an open working folder was not refused"
VELKARINTH_TRUSTED_FOLDER=$demo run 0 config
chmod 0755 "$demo"

run 0 config --json
[[ $(json "d['mrPath']") == "$(native "$demo/mentalray")" ]] || fail "config --json: wrong mrPath: $(cat "$tmp/out")"
[[ $(json "len(d['shaderTypes'][0]['rows'])") == 5 ]] || fail "config --json: rows"

# An init.txt that is there but cannot be read is said so, never taken for
# an empty one; one that is not there is said once by every command, and
# not at all under -q.
mkdir -p "$tmp/unread/init.txt" "$tmp/bare"
for args in config "install $demo/shader-sample --link l --mi m" "status"; do
  # shellcheck disable=SC2086
  "${cli[@]}" -C "$tmp/unread" $args >"$tmp/out" 2>"$tmp/err" && fail "$args ran on an unreadable init.txt"
  grep -q 'could not be read' "$tmp/err" || fail "$args does not say init.txt could not be read: $(cat "$tmp/err")"
done
for args in config "install $demo/shader-sample --link link --mi mi" status "uninstall $demo/shader-sample" \
    "rollback $demo/shader-sample" "-q config" "install $demo/shader-sample --link link --mi mi --dry-run"; do
  # shellcheck disable=SC2086
  "${cli[@]}" -C "$tmp/bare" $args >"$tmp/out" 2>"$tmp/err" || true
  [[ $(grep -c 'init.txt does not exist' "$tmp/err") == "$([[ $args == -q* ]] && echo 0 || echo 1)" ]] \
    || fail "$args does not say once that init.txt is missing: $(cat "$tmp/err")"
  # The folders to give are named where they go, never by the dialog's tabs.
  ! grep -qi 'tab\b' "$tmp/out" "$tmp/err" || fail "$args speaks of a tab: $(cat "$tmp/out" "$tmp/err")"
done
grep -q 'No Mental Ray directory is given in .*init.txt: velkarinth-cli config mr DIR' "$tmp/out" \
  || fail "the preview without init.txt: $(cat "$tmp/out")"
"${cli[@]}" --directory "$tmp/bare" config --json >"$tmp/out" 2>/dev/null
[[ $(json "d['initFile']['exists']") == False && $(json "d['initFile']['path']") == "$(native "$tmp/bare/init.txt")" ]] \
  || fail "config --json: $(cat "$tmp/out")"
[[ -z $(ls "$tmp/bare") ]] || fail "a run without init.txt wrote in its folder"

# Help: the commands, or one command's own options, in the locale's
# language, Qt's words included. A row: STATUS|LOCALE|ARGS|SAID|NOT SAID.
while IFS='|' read -r want locale args said unsaid; do
  # shellcheck disable=SC2086
  run "$want" $args
  cat "$tmp/out" "$tmp/err" >"$tmp/all"
  grep -qF -- "$said" "$tmp/all" || fail "$locale: $args does not say '$said': $(cat "$tmp/all")"
  ! grep -qF -- "$unsaid" "$tmp/all" || fail "$locale: $args says '$unsaid': $(cat "$tmp/all")"
done <<'ROWS'
0|C|--help|Run as if started in DIR.|Travaille
0|C|--help|  uninstall |DOSSIER
0|en_US.UTF-8|install --help|--upgrade|--without-receipt
0|en_US.UTF-8|uninstall --help|Exit status:|--upgrade
0|en_US.UTF-8|status --help|SHADER_DIR|--dry-run
0|fr_FR.UTF-8|--help|Utilisation :|Displays
0|fr_FR.UTF-8|config --help|Affiche l'aide|Show help
0|fr_FR.UTF-8|rollback --help|Code de sortie :|--link
0|fr_FR.UTF-8|--help|Travaille comme si lancé dans DOSSIER.|Run as
2|de_DE.UTF-8|--no-such-option|Unknown option|Unbekannt
2|fr_FR.UTF-8|nosuch --help|Commande inconnue : nosuch|Usage
ROWS
unset locale
# A terminal, which Wine makes a Windows console: each accent shows as it is.
# French messages, and a character set the machine surely has.
env -u LC_ALL LANG=fr_FR.UTF-8 LC_CTYPE=C.UTF-8 script -qec "$(printf '%q ' "${cli[@]}") --help" /dev/null \
  </dev/null >"$tmp/out"
grep -qF "si lancé dans" "$tmp/out" || fail "a terminal shows: $(cat "$tmp/out")"
# Each command's help lists the options it takes, and it takes no other.
while read -r command options; do
  run 0 "$command" --help
  [[ $(grep -oE -- '^  --[a-z-]+' "$tmp/out" | xargs) == "$options" ]] || fail "$command --help: $(cat "$tmp/out")"
  run 2 "$command" --upgrade --without-receipt --link link --mi mi --type 0 --dry-run --json
  [[ $(json "d['message']") == "$command does not take the option --"* ]] || fail "$command took an option it lists not"
done <<'ROWS'
install --link --mi --type --dry-run --json --upgrade
rollback --type --dry-run --json
uninstall --link --mi --type --dry-run --json --without-receipt
status --link --mi --json
config --json
ROWS

# The preview predicts the install.
snapshot "$tmp/before"
preview install shader-sample --link "$link" --mi "$mi"
[[ $(json "[f['action'] for f in d['files']]") == "['copy', 'copy', 'copy', 'copy', 'copy']" ]] \
  || fail "dry run: $(cat "$tmp/out")"
link_line=$(json "d['rayrc']['linkLine']")
mi_line=$(json "d['rayrc']['miLine']")

run 0 install shader-sample --link "$link" --mi "$mi"
[[ $(wc -l <"$tmp/out") == 6 && ! -s $tmp/err ]] || fail "install output: $(cat "$tmp/out" "$tmp/err")"
for f in maya/icons/velvet.fti maya/icons/velvet.xpm maya/scripts/velvet.mel \
         mentalray/include/velvet.mi mentalray/lib/velvet.dll; do
  cmp -s "$demo/$f" "$demo/shader-sample/$(basename "$f")" \
    || cmp -s "$demo/$f" "$demo/shader-sample/lib/$(basename "$f")" || fail "$f not copied"
done
rayrc=$demo/mentalray/maya.rayrc
[[ $(sed -n "${link_line}p" "$rayrc") == $'\t'"$link" ]] || fail "link entry not above line $link_line"
[[ $(sed -n "$((mi_line + 1))p" "$rayrc") == $'\t'"$mi" ]] || fail "mi entry not above line $mi_line"
ls "$demo"/maya.rayrc2* >/dev/null || fail "no backup taken by the install"

# Again: the shader is installed, so the preview and the install both
# succeed, say so, and write nothing.
cp "$rayrc" "$tmp/rayrc"
preview install shader-sample --link "$link" --mi "$mi"
[[ $(json "[f['action'] for f in d['files']] + [d['rayrc']['action'], d['changed']]") \
   == "['installed', 'installed', 'installed', 'installed', 'installed', 'installed', False]" ]] \
  || fail "second dry run: $(cat "$tmp/out")"
run 0 install shader-sample --link "$link" --mi "$mi"
[[ $(grep -c "^Already installed: " "$tmp/out") == 6 && ! -s $tmp/err ]] \
  || fail "second install: $(cat "$tmp/out" "$tmp/err")"
cmp -s "$rayrc" "$tmp/rayrc" || fail "a second install changed maya.rayrc"
# A newer version in the shader's folder: status with the folder says so;
# from the receipts alone the install is intact.
cp "$demo/shader-sample/velvet.mel" "$tmp/velvet.mel"
echo '// version 2' >>"$demo/shader-sample/velvet.mel"
run 1 status shader-sample --json
[[ $(json "[d['shaders'][0]['outdated']] + sorted(f['state'] for f in d['shaders'][0]['files'])") \
   == "[True, 'intact', 'intact', 'intact', 'intact', 'outdated']" ]] || fail "status of an outdated install: $(cat "$tmp/out")"
run 0 status
cp "$tmp/velvet.mel" "$demo/shader-sample/velvet.mel"

# Lines other than the receipt's: nothing removed, said in one line.
run 1 status shader-sample --link 'link "other.so";'
[[ $(wc -l <"$tmp/out") == 1 ]] && grep -q '^Installed with other lines' "$tmp/out" \
  || fail "status with other lines: $(cat "$tmp/out")"
run 1 uninstall shader-sample --link 'link "other.so";'
grep -q 'Nothing was removed' "$tmp/err" || fail "uninstall with other lines: $(cat "$tmp/err")"
[[ -f $demo/maya/scripts/velvet.mel ]] || fail "uninstall with other lines removed a file"

# Uninstall: the preview writes nothing; a file the user edited stays and
# fails the run; the rest leaves the workspace as it was before the install.
preview uninstall shader-sample --link "$link" --mi "$mi"
[[ $(json "[f['action'] for f in d['files']]") == "['remove', 'remove', 'remove', 'remove', 'remove']" ]] \
  || fail "uninstall preview: $(cat "$tmp/out")"
echo "edited by hand" >>"$demo/maya/icons/velvet.xpm"
run 1 uninstall shader-sample --link "$link" --mi "$mi"
grep -q "velvet.xpm" "$tmp/err" || fail "the edited file is not reported: $(cat "$tmp/err")"
[[ -f $demo/maya/icons/velvet.xpm ]] || fail "the edited file was removed"
rm "$demo/maya/icons/velvet.xpm"
# The receipt kept the edited file; gone now, a second run drops it and the
# receipt. The receipt is enough: no lines, no shader folder.
mv "$demo/shader-sample" "$tmp/moved"
run 0 uninstall shader-sample
mv "$tmp/moved" "$demo/shader-sample"
[[ -z $(ls "$demo/receipts") ]] || fail "a receipt outlived the uninstall"
snapshot "$tmp/after"
grep -v "maya.rayrc2" "$tmp/after" | diff "$tmp/before" - >&2 || fail "install then uninstall is not a round trip"

# Hostile conditions, a row each: STATUS|STDOUT|SHOWN|ARGS, stdout a file,
# /dev/full or a pipe closed before the run. Only the closed-pipe install may
# change the workspace, and it must finish; no raw ESC is ever printed.
bad=$tmp/bad esc=$tmp/esc
cp -r "$demo/shader-sample" "$bad" && mv "$bad/velvet.mel" "$bad/caf"$'\xe9'".mel"
cp -r "$demo/shader-sample" "$esc" && mv "$esc/velvet.mel" "$esc/v"$'\e'"[31m.mel"
closed() { python3 -c 'import os,subprocess,sys; r,w=os.pipe(); os.close(r); sys.exit(subprocess.run(sys.argv[1:],stdout=w).returncode)' "$@"; }
while IFS='|' read -r want to shown args; do
  if [[ $want == unix:* ]]; then
    ((windows)) && continue
    want=${want#unix:}
  fi
  eval "set -- $args"
  snapshot "$tmp/pre"
  : >"$tmp/out"
  got=0
  case $to in
    full) "${cli[@]}" -C "$demo" "$@" >/dev/full 2>"$tmp/err" || got=$? ;;
    closed) closed "${cli[@]}" -C "$demo" "$@" 2>"$tmp/err" || got=$? ;;
    *) "${cli[@]}" -C "$demo" "$@" >"$tmp/out" 2>"$tmp/err" || got=$? ;;
  esac
  [[ $got == "$want" ]] || fail "$args exited $got, not $want: $(cat "$tmp/out" "$tmp/err")"
  grep -qF -- "$shown" "$tmp/out" "$tmp/err" || fail "$args does not say '$shown': $(cat "$tmp/err")"
  ! grep -q $'\e' "$tmp/out" "$tmp/err" || fail "$args printed a raw ESC"
  [[ $to != file || " $* " != *" --json "* ]] || json 1 >/dev/null || fail "$args printed no JSON document"
  snapshot "$tmp/post"
  [[ $to == closed ]] || cmp -s "$tmp/pre" "$tmp/post" || fail "$args changed the workspace"
done <<'EOF'
3|full|lost|config --json
3|full|lost|install shader-sample --link "$link" --mi "$mi" --dry-run --json
2|file|--dry-run|config mr /elsewhere --dry-run
2|file|--json|config maya /elsewhere --json
2|file|--type|config --type 0
unix:2|file|caf\xe9|install shader-sample --link $'link "caf\xe9";' --mi "$mi"
unix:2|file|Argument 5 (|config mr $'/opt/caf\xe9'
unix:1|file|"name-unreadable"|install "$bad" --link "$link" --mi "$mi" --dry-run --json
unix:0|file|v\x1b[31m.mel|install "$esc" --link "$link" --mi "$mi" --dry-run
3|closed|lost|install shader-sample --link "$link" --mi "$mi"
2|file|"error": "usage"|install --no-such-option --json
1|file|"error": "no-shader-folder"|install nowhere --link "$link" --mi "$mi" --json
1|file|does not exist or is not a folder|install --upgrade mentalray/maya.rayrc
1|file|"destination-in-shader-folder"|install maya --link "$link" --mi "$mi" --json
1|file|is or holds|install . --link "$link" --mi "$mi" --dry-run
EOF
grep -qxF $'\t'"$link" "$rayrc" && [[ -f $demo/mentalray/lib/velvet.dll ]] \
  || fail "a closed pipe cut the install short"
# JSON paths are absolute, whatever was typed.
run 1 install nowhere --link "$link" --mi "$mi" --json
[[ $(json "d['shaderDir']") == "$(native "$demo/nowhere")" ]] || fail "a relative shader folder in JSON: $(cat "$tmp/out")"

# -q: failures only. An install that succeeds says nothing; a preview, only
# its lines of what would fail.
run 0 -q install shader-sample --link "$link" --mi "$mi"
[[ ! -s $tmp/out && ! -s $tmp/err ]] || fail "-q install said: $(cat "$tmp/out" "$tmp/err")"
run 0 -q status
[[ ! -s $tmp/out ]] || fail "-q status of an intact install said: $(cat "$tmp/out")"
cp -r "$demo/shader-sample" "$tmp/partial" && rm "$tmp/partial/velvet.mi"
run 1 install "$tmp/partial" --link "$link" --mi "$mi" --dry-run
mv "$tmp/out" "$tmp/full"
run 1 -q install "$tmp/partial" --link "$link" --mi "$mi" --dry-run
grep -q 'no file found' "$tmp/out" && ! grep -q 'optional' "$tmp/out" && ! grep -vxFf "$tmp/full" "$tmp/out" \
  && [[ $(tail -n 1 "$tmp/out" | tr -d '\r') == "The installation would fail." ]] || fail "-q preview: $(cat "$tmp/out")"

# Without a receipt, an uninstall compares with the shader's folder: one
# that is not there is said, and nothing is removed.
run 1 uninstall nowhere --link "$link" --mi "$mi"
grep -qF 'does not exist or is not a folder' "$tmp/err" || fail "uninstall nowhere: $(cat "$tmp/err")"

# config maya DIR writes line 2 of init.txt, as typing in the field does,
# whatever the text; one that is no folder is said.
run 0 config maya /opt/elsewhere
[[ $(sed -n 2p "$demo/init.txt") == /opt/elsewhere ]] || fail "config maya did not write init.txt"
grep -qF "$(native /opt/elsewhere) is not a folder" "$tmp/err" || fail "config maya /opt/elsewhere: $(cat "$tmp/err")"

# Every command and option the program takes is in the manual, and in the
# man page where one was built (not for Windows).
run 0 --help
commands=$(sed -n '/^Commands:/,/^$/s/^  \([a-z]*\) .*/\1/p' "$tmp/out")
options=$(grep -oE -- '^  (-[A-Za-z], )?--[a-z-]+' "$tmp/out" | grep -oE -- '--[a-z-]+')
[[ $(wc -w <<<"$commands") == 5 && $(wc -w <<<"$options") == 11 ]] || fail "help lists $commands $options"
pages=("$ROOT/docs/command-line.md")
if [[ -n ${VELKARINTH_MANPAGE:-} ]]; then
  # The page's text without roff's escapes for dashes and fonts.
  gzip -dc "$VELKARINTH_MANPAGE" | sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\f(CW//g' -e 's/\\[,/]//g' >"$tmp/man"
  pages+=("$tmp/man")
fi
for page in "${pages[@]}"; do
  for word in $commands $options -C -q; do
    grep -qwF -- "$word" "$page" || fail "$word is not in $page"
  done
done
echo "velkarinth-cli: all checks passed"
