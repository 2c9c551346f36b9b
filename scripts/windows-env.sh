# Sourced by windows.sh and test.sh: where Qt for Windows lives and how it is
# configured. The cache folder is named after the Qt version and a hash of
# the configure line and toolchain file, so that changing either rebuilds it.

QT_WIN_CACHE=${VELKARINTH_WIN_CACHE:-$HOME/.cache/velkarinth}
# Every module and feature the programs and tests do not use is left out;
# "+dfsg" has no wintab, hence no tablet events.
QT_WIN_OPTIONS=(-xplatform win32-g++ -qt-host-path /usr -release -no-opengl -no-dbus
  -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-tabletevent
  -nomake examples -nomake tests)

# qt_win_paths: sets QT_DEBIAN_VERSION, QT_WIN_PREFIX and QT_CONFIGURE from
# the installed Linux Qt (qt6-base-dev), whose tools the Windows Qt uses.
qt_win_paths() {
  QT_DEBIAN_VERSION=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
  [[ -n $QT_DEBIAN_VERSION ]] || { echo "error: qt6-base-dev is not installed" >&2; return 1; }
  local root hash
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  hash=$({ echo "$QT_DEBIAN_VERSION ${QT_WIN_OPTIONS[*]}"; cat "$root/cmake/mingw-w64-x86_64.cmake"; } |
    sha256sum | cut -c1-10)
  QT_WIN_PREFIX=$QT_WIN_CACHE/qt-${QT_DEBIAN_VERSION%%+*}-$hash
  QT_CONFIGURE=(-prefix "$QT_WIN_PREFIX" "${QT_WIN_OPTIONS[@]}" --
    -DCMAKE_TOOLCHAIN_FILE="$QT_WIN_PREFIX.toolchain.cmake"
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -G Ninja)
}
