#!/usr/bin/env bash
# Creates a demo workspace in DIR: a sample shader, stand-in Maya and Mental
# Ray folders with a small maya.rayrc, and an init.txt pointing at them.
# Refuses to touch an existing non-empty DIR.
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 DIR" >&2
  exit 2
fi
if [[ -e $1 && ! -d $1 ]] || { [[ -d $1 ]] && [[ -n $(ls -A "$1") ]]; }; then
  echo "error: $1 already exists and is not an empty folder" >&2
  exit 1
fi

mkdir -p "$1"
dir=$(cd "$1" && pwd -P)   # init.txt needs absolute paths
tab=$'\t'

mkdir -p "$dir/shader-sample/lib" \
  "$dir/maya/icons" "$dir/maya/scripts" \
  "$dir/mentalray/include" "$dir/mentalray/lib"

# --- the sample shader -------------------------------------------------------
sample=$dir/shader-sample

cat > "$sample/velvet.fti" <<'TXT'
velvet swatch icon
size 32 32
TXT

cat > "$sample/velvet.xpm" <<'TXT'
/* XPM */
static char *velvet[] = {
"4 4 2 1",
"  c #3a0f4f",
". c #b070d0",
" .. ",
"....",
"....",
" .. "
};
TXT

cat > "$sample/velvet.mel" <<'TXT'
// Registers the velvet sample shader in the shading menus.
global proc velvetRegister()
{
    print("velvet shader ready\n");
}
TXT

cat > "$sample/velvet.mi" <<'TXT'
declare shader
    color "velvet" (
        color  "tint",
        scalar "sheen",
        scalar "softness"
    )
    version 1
    apply material
end declare
TXT

cat > "$sample/lib/velvet.dll" <<'TXT'
velvet sample shader library (placeholder, not a real binary)
TXT

# --- Mental Ray start-up file ------------------------------------------------
# Entries are lines where a TAB precedes "link" or "mi".
{
  printf '%s\n' 'registry "{MRMAYA_START}" value "" end registry'
  printf '%s\n' 'registry "{DEMO_SHADERS}" value "{MAYA_LOCATION}/mentalray" end registry'
  printf '%s\n' "${tab}link \"{MAYA_LOCATION}/mentalray/lib/base.so\";"
  printf '%s\n' "${tab}link \"{MAYA_LOCATION}/mentalray/lib/glowline.so\";"
  printf '%s\n' "${tab}mi \"{MAYA_LOCATION}/mentalray/include/base.mi\";"
  printf '%s\n' "${tab}mi \"{MAYA_LOCATION}/mentalray/include/glowline.mi\";"
  printf '%s\n' 'registry "{DEMO_DONE}" value "1" end registry'
} > "$dir/mentalray/maya.rayrc"

# --- configuration -------------------------------------------------------------
cat > "$dir/init.txt" <<TXT
[MAYA_PATH]
$dir/maya
[MR_PATH]
$dir/mentalray
[Shader Mental Ray]
5
fti*$dir/maya/icons*n
xpm*$dir/maya/icons*n
mel*$dir/maya/scripts*o
mi*$dir/mentalray/include*o
dll*$dir/mentalray/lib*o
TXT
