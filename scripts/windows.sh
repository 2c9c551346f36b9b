#!/usr/bin/env bash
# The Windows program, cross-built on Debian: builds Qt for Windows into a
# cache when it is not there yet, cross-builds both programs and the tests
# with MinGW-w64, runs the tests under Wine, and writes a portable folder,
# its zip and an installer into build-windows/. Then installs that installer
# silently under Wine and runs the installed programs on a demo workspace.
#
# usage: scripts/windows.sh [qt|build|test|package|e2e]...   (default: all)
# Environment: VELKARINTH_WIN_CACHE (default ~/.cache/velkarinth) holds Qt.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

# shellcheck source=scripts/deps.sh
source scripts/deps.sh
# shellcheck source=scripts/windows-env.sh
source scripts/windows-env.sh

JOBS=2
BUILD_DIR=$root/build-windows
DIST_NAME=velkarinth-$(sed -n 's/^project(Velkarinth VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)-windows-x64
DIST=$BUILD_DIR/$DIST_NAME
WINDOW_TIMEOUT=60   # seconds: Wine's first start in a new prefix is slow

WIN_PACKAGES=(g++-mingw-w64-x86-64-posix wine64 nsis ninja-build dpkg-dev zip
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev qt6-translations-l10n
  xvfb xdotool imagemagick fonts-wine)

die() { echo "error: $*" >&2; exit 1; }
# The long builds give way to anything else the machine is doing.
if command -v ionice >/dev/null 2>&1 && ionice -c3 true 2>/dev/null; then
  slow() { nice -n 19 ionice -c3 "$@"; }
else
  slow() { nice -n 19 "$@"; }
fi

# Runs a command as root: directly, through sudo, or not at all.
as_root() {
  if [[ $(id -u) -eq 0 ]]; then "$@"
  elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then sudo -n "$@"
  else die "needs root for: $*"
  fi
}

# Debian's source of qt6-base: a deb-src entry beside the binary one.
ensure_qt_source_entry() {
  [[ -n $(apt-cache showsrc qt6-base 2>/dev/null | sed -n 's/^Version: //p') ]] && return 0
  local uri
  uri=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
  uri=${uri:-http://deb.debian.org/debian}
  echo "Adding a deb-src entry for bookworm main ($uri)" >&2
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
    "$uri" /usr/share/keyrings/debian-archive-keyring.gpg |
    as_root tee /etc/apt/sources.list.d/velkarinth-deb-src.sources >/dev/null
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null
}

# qt: Qt for Windows in $QT_WIN_PREFIX, built from the very Debian version
# of qtbase that the Linux build uses, so that Debian's moc and rcc fit it.
build_qt() {
  if [[ -f $QT_WIN_PREFIX/.complete ]]; then
    echo "Qt for Windows: $QT_WIN_PREFIX"
    return 0
  fi
  ensure_qt_source_entry
  local work=$QT_WIN_PREFIX.work started=$SECONDS
  mkdir -p "$work"
  if [[ ! -x $work/src/configure ]]; then
    rm -rf "$work/src" "$work/download"
    mkdir -p "$work/download"
    (cd "$work/download" && apt-get source --download-only "qt6-base=$QT_DEBIAN_VERSION")
    dpkg-source -x "$work"/download/qt6-base_*.dsc "$work/src"
  fi
  cp cmake/mingw-w64-x86_64.cmake "$QT_WIN_PREFIX.toolchain.cmake"
  mkdir -p "$work/build"
  # A build stopped half way goes on where it stopped.
  if [[ ! -f $work/build/build.ninja ]]; then
    (cd "$work/build" && slow "$work/src/configure" "${QT_CONFIGURE[@]}")
  fi
  echo "Building Qt for Windows in $work/build (long: about an hour on 2 busy cores)"
  slow cmake --build "$work/build" --parallel "$JOBS"
  slow cmake --install "$work/build"
  echo "$((SECONDS - started)) s" >"$QT_WIN_PREFIX/.complete"
  rm -rf "$work"
  echo "Qt for Windows built in $((SECONDS - started)) s: $QT_WIN_PREFIX"
}

# --- Wine ------------------------------------------------------------------
# A prefix of the build's own, so that nothing of the user's Wine is touched.
WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX=$BUILD_DIR/wine WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
MINGW_DLL_DIRS=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)

winpath() { printf 'Z:%s' "${1//\//\\}"; }

start_wine() {
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || die "wineboot failed in $WINEPREFIX"
  fi
  # Windows' own fonts as Wine has them: without them Qt falls back to a
  # font whose lines are so tall that a line edit draws its text out of
  # sight.
  cp -u /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}
# Also the X server of a dialog check that failed half way.
stop_wine() {
  [[ -n ${dialog_xvfb:-} ]] && kill "$dialog_xvfb" 2>/dev/null || true
  local prefix
  for prefix in "$BUILD_DIR/wine" "$BUILD_DIR/e2e/wine"; do
    [[ -d $prefix ]] && WINEPREFIX=$prefix "$WINESERVER" -k 2>/dev/null || true
  done
}

# --- build: both programs and the tests -------------------------------------
build_programs() {
  [[ -f $QT_WIN_PREFIX/.complete ]] || die "no Qt for Windows in $QT_WIN_PREFIX: run the qt stage"
  local started=$SECONDS
  # Qt's own catalogues, where a Qt install keeps them: a catalogue is the
  # same file on every platform.
  mkdir -p "$QT_WIN_PREFIX/translations"
  cp -u /usr/share/qt6/translations/qtbase_*.qm "$QT_WIN_PREFIX/translations/"
  cmake -S . -B "$BUILD_DIR/tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$QT_WIN_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE"
  slow cmake --build "$BUILD_DIR/tree" --parallel "$JOBS"
  echo "Built for Windows in $((SECONDS - started)) s: $BUILD_DIR/tree/bin"
}

# --- test: the suites under Wine --------------------------------------------
run_tests() {
  start_wine
  # Temporary folders on Z:, the drive of the build, so that the tests' paths
  # from the build ("/work/...") name the same files from inside them.
  mkdir -p "$BUILD_DIR/tmp"
  local var
  for var in TEMP TMP; do
    "$WINE" reg add 'HKCU\Environment' /v "$var" /t REG_SZ /d "$(winpath "$BUILD_DIR/tmp")" /f >/dev/null 2>&1
  done
  local dirs=("$QT_WIN_PREFIX/bin" "${MINGW_DLL_DIRS[@]}") path= d
  for d in "${dirs[@]}"; do path+="$(winpath "$d");"; done
  # A UTF-8 locale every Debian has: Wine names Unix files in its charset, and
  # takes the ANSI code page (1252) from it, which decides what init.txt holds.
  # Wine passes no QT_ variable on, only WINEQT_ ones, under their QT_ name;
  # Qt Test with no console writes to the debugger unless told otherwise.
  LANG=C.UTF-8 WINEPATH=$path WINEQT_QPA_PLATFORM=offscreen WINEQT_FORCE_STDERR_LOGGING=1 \
    ctest --test-dir "$BUILD_DIR/tree" --output-on-failure --no-tests=error --timeout 300
}

# --- package: portable folder, zip, installer -------------------------------
# The DLLs a program or DLL imports that are found in Qt's or MinGW's folders;
# Windows' own are not shipped.
imported_dlls() {
  x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'
}

gather_dlls() {
  local -a search=("$QT_WIN_PREFIX/bin" "${MINGW_DLL_DIRS[@]}")
  local changed=1 file dll dir
  while ((changed)); do
    changed=0
    for file in "$DIST"/*.exe "$DIST"/*.dll "$DIST"/platforms/*.dll "$DIST"/styles/*.dll; do
      [[ -f $file ]] || continue
      while read -r dll; do
        [[ -f $DIST/$dll ]] && continue
        for dir in "${search[@]}"; do
          if [[ -f $dir/$dll ]]; then
            cp "$dir/$dll" "$DIST/"
            changed=1
            break
          fi
        done
      done < <(imported_dlls "$file")
    done
  done
}

package() {
  local bin=$BUILD_DIR/tree/bin version
  version=${DIST_NAME#velkarinth-}
  version=${version%-windows-x64}
  rm -rf "$DIST"
  mkdir -p "$DIST/platforms" "$DIST/styles" "$DIST/translations"
  cp "$bin/velkarinth.exe" "$bin/velkarinth-cli.exe" "$bin/velkarinth_en.qm" "$DIST/"
  cp "$QT_WIN_PREFIX/plugins/platforms/qwindows.dll" "$DIST/platforms/"
  cp "$QT_WIN_PREFIX"/plugins/styles/*.dll "$DIST/styles/"
  # Qt's French buttons and folder dialog.
  cp "$QT_WIN_PREFIX/translations/qtbase_fr.qm" "$DIST/translations/"
  printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' >"$DIST/qt.conf"
  gather_dlls
  x86_64-w64-mingw32-strip "$DIST"/*.exe "$DIST"/*.dll "$DIST"/*/*.dll
  rm -f "$DIST.zip"
  (cd "$BUILD_DIR" && zip -qr9 "$DIST_NAME.zip" "$DIST_NAME")
  # What the uninstaller removes: each file by name, then each folder, the
  # deepest first, only once empty.
  (cd "$DIST" && find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|' &&
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|') \
    >"$BUILD_DIR/files.nsh"
  makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DDIST="$DIST" -DFILES="$BUILD_DIR/files.nsh" \
    -DOUTFILE="$BUILD_DIR/velkarinth-$version-setup.exe" data/windows/velkarinth.nsi
  echo "Portable folder: $DIST"
  echo "Zip:             $DIST.zip ($(du -h "$DIST.zip" | cut -f1))"
  echo "Installer:       $BUILD_DIR/velkarinth-$version-setup.exe ($(du -h "$BUILD_DIR/velkarinth-$version-setup.exe" | cut -f1))"
}

# --- e2e: the installer and the installed programs ---------------------------
LINK='link "{MAYA_LOCATION}/mentalray/lib/velvet.so";'
MI='mi "{MAYA_LOCATION}/mentalray/include/velvet.mi";'

# A demo workspace as a Windows user has it: an accented folder name, init.txt
# in the ANSI code page with drive-letter paths, CR LF line ends.
windows_demo() {
  local demo=$1 unix
  bash scripts/make-demo.sh "$demo" >/dev/null
  unix=$(cd "$demo" && pwd -P)
  sed -e "s|$unix|$(winpath "$unix" | sed 's/\\/\\\\/g')|g" -e 's|/|\\|g' -e 's/$/\r/' \
    "$demo/init.txt" | iconv -f UTF-8 -t CP1252 >"$demo/init.txt.new"
  mv "$demo/init.txt.new" "$demo/init.txt"
  sed -i 's/$/\r/' "$demo/mentalray/maya.rayrc"
}

# The demo's files, by checksum, without the day's backups.
demo_state() { (cd "$1" && find . -type f ! -name 'maya.rayrc2*' -print0 | sort -z | xargs -0 md5sum); }

e2e() {
  local version=${DIST_NAME#velkarinth-} work=$BUILD_DIR/e2e
  version=${version%-windows-x64}
  local installer=$BUILD_DIR/velkarinth-$version-setup.exe
  [[ -f $installer ]] || die "no installer: run the package stage"
  rm -rf "$work"
  mkdir -p "$work"
  # A prefix of its own: Program Files holds only what this installer puts there.
  export WINEPREFIX=$work/wine
  start_wine
  "$WINE" "$installer" /S || die "the installer failed"
  local prog="$WINEPREFIX/drive_c/Program Files/Velkarinth" f
  for f in velkarinth.exe velkarinth-cli.exe uninstall.exe velkarinth_en.qm qt.conf \
    platforms/qwindows.dll translations/qtbase_fr.qm; do
    [[ -f $prog/$f ]] || die "not installed: $f"
  done
  local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
  [[ -f $menu/Velkarinth.lnk ]] || die "no Start-menu entry for all users"
  [[ -z $(find "$WINEPREFIX/drive_c/users" -name Velkarinth.lnk) ]] || die "a Start-menu entry for one user only"
  echo "installed silently: $prog, its entry in every user's Start menu"

  local demo=$work/démo cli='C:\Program Files\Velkarinth\velkarinth-cli.exe' before
  windows_demo "$demo"
  before=$(demo_state "$demo")
  local -a args=(-C "$(winpath "$demo")")
  local sample
  sample="$(winpath "$demo")\\shader-sample"
  (cd "$work" && LANG=C.UTF-8 "$WINE" "$cli" "${args[@]}" install "$sample" --link "$LINK" --mi "$MI") ||
    die "install failed on the demo"
  grep -qF $'\t'"$LINK"$'\r' "$demo/mentalray/maya.rayrc" && grep -qF $'\t'"$MI"$'\r' "$demo/mentalray/maya.rayrc" ||
    die "maya.rayrc has not got both entries with CR LF"
  [[ -f $demo/maya/icons/velvet.fti && -f $demo/mentalray/lib/velvet.dll ]] || die "files not copied"
  (cd "$work" && LANG=C.UTF-8 "$WINE" "$cli" "${args[@]}" uninstall "$sample" --link "$LINK" --mi "$MI") ||
    die "uninstall failed on the demo"
  [[ $(demo_state "$demo") == "$before" ]] || die "install then uninstall did not leave the demo as it was"
  ls "$demo"/maya.rayrc2* >/dev/null 2>&1 || die "no backup of maya.rayrc in the working folder"
  echo "installed velkarinth-cli: install and uninstall on $demo"

  with_dialog "$demo" shoot "$prog/velkarinth.exe"
  # Started by the Start-menu entry, in Program Files: the artist's own
  # folder is made and worked in, and the uninstaller will not run meanwhile.
  rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/Velkarinth
  with_dialog "$work" uninstall_refused start /wait "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Velkarinth.lnk"
  [[ -n $(find "$WINEPREFIX"/drive_c/users/*/AppData/Local -maxdepth 1 -name Velkarinth -type d) ]] \
    || die "no working folder of the user's own"
  echo "started from the Start menu: it works in the user's own folder, and the uninstaller waits for it"

  # Another program's files beside it, as in a folder chosen by hand.
  echo "not Velkarinth's" >"$prog/render-submit.exe"
  echo "not Velkarinth's" >"$prog/other_fr.qm"
  "$WINE" "$prog/uninstall.exe" /S || die "the uninstaller failed"
  # The uninstaller runs from a copy of itself and returns at once.
  local deadline=$((SECONDS + WINDOW_TIMEOUT))
  while [[ -e $prog/uninstall.exe ]]; do # the last file it removes
    ((SECONDS < deadline)) || die "the uninstaller left $prog"
    sleep 0.5
  done
  [[ ! -e $menu/Velkarinth.lnk ]] || die "the Start-menu entry stayed"
  [[ $(cd "$prog" && find . -type f | sort | tr '\n' ' ') == "./other_fr.qm ./render-submit.exe " ]] \
    || die "the uninstaller did not remove exactly its own files: $(cd "$prog" && find . | tr '\n' ' ')"
  echo "uninstalled silently, another program's files kept"
}

# What the uninstaller must do while the program runs: refuse, saying so,
# and leave every file. Run in place (_?=), it gives its own exit status;
# that folder must reach it unquoted, so its words go as two arguments.
uninstall_refused() {
  local prog="$WINEPREFIX/drive_c/Program Files/Velkarinth" before status=0
  before=$(cd "$prog" && find . -type f | sort | xargs md5sum)
  "$WINE" "$prog/uninstall.exe" /S '_?=C:\Program' 'Files\Velkarinth' || status=$?
  [[ $status == 2 ]] || die "the uninstaller ran while the program did (exit status $status)"
  [[ $(cd "$prog" && find . -type f | sort | xargs md5sum) == "$before" ]] \
    || die "the uninstaller refused, but changed the program's folder"
}

# The Shader tab as it opens, then the Configuration tab with its folders.
shoot() {
  local window=$1
  import -window "$window" "$BUILD_DIR/e2e/shot.png"
  convert "$BUILD_DIR/e2e/shot.png" -strip +dither -colors 64 -define png:exclude-chunks=date,time \
    "$BUILD_DIR/shader-windows.png"
  timeout 5 xdotool windowfocus "$window" key --window "$window" ctrl+Tab || true
  sleep 1
  import -window "$window" "$BUILD_DIR/e2e/shot.png"
  convert "$BUILD_DIR/e2e/shot.png" -strip +dither -colors 64 -define png:exclude-chunks=date,time \
    "$BUILD_DIR/configuration-windows.png"
  echo "installed velkarinth.exe showed its dialog: $BUILD_DIR/shader-windows.png, $BUILD_DIR/configuration-windows.png"
}

# with_dialog DIR ACTION COMMAND...: runs COMMAND, which shows the dialog,
# from DIR under Wine in an X server with Qt's Windows platform plugin; calls
# ACTION WINDOW once the window shows, then Escape closes it. COMMAND may
# return at once (start does for a shortcut): Wine's end is waited for.
with_dialog() {
  local dir=$1 action=$2 xvfb_pid= app_pid= window=
  shift 2
  # shellcheck source=scripts/xvfb.sh
  source scripts/xvfb.sh
  start_xvfb "$BUILD_DIR/e2e" || die "Xvfb did not start"
  dialog_xvfb=$xvfb_pid
  # A Wine started without a display (the command-line runs) would keep
  # drawing nowhere: it starts anew on this one.
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
  (cd "$dir" && exec env LANG=C.UTF-8 "$WINE" "$@") >"$BUILD_DIR/e2e/dialog.log" 2>&1 &
  app_pid=$!
  local deadline=$((SECONDS + WINDOW_TIMEOUT))
  while [[ -z $window ]] && ((SECONDS < deadline)); do
    window=$(timeout 5 xdotool search --onlyvisible --name '^Velkarinth$' 2>/dev/null | head -n 1 || true)
    sleep 0.5
  done
  if [[ -z $window ]]; then
    stop_pid "$app_pid"; stop_pid "$xvfb_pid"
    cat "$BUILD_DIR/e2e/dialog.log" >&2
    die "$* showed no dialog within ${WINDOW_TIMEOUT} s"
  fi
  sleep 2
  "$action" "$window"
  timeout 5 xdotool windowfocus "$window" key --window "$window" Escape || true
  if ! timeout "$WINDOW_TIMEOUT" "$WINESERVER" -w; then
    stop_pid "$app_pid"; stop_pid "$xvfb_pid"
    die "the dialog did not close on Escape"
  fi
  stop_pid "$xvfb_pid"
}

stages=("$@")
((${#stages[@]})) || stages=(qt build test package e2e)

ensure_packages "${WIN_PACKAGES[@]}"
qt_win_paths
trap stop_wine EXIT

for stage in "${stages[@]}"; do
  case $stage in
    qt) build_qt ;;
    build) build_programs ;;
    test) run_tests ;;
    package) package ;;
    e2e) e2e ;;
    *) die "unknown stage: $stage" ;;
  esac
done
