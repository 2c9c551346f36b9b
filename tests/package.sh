#!/bin/sh
# The Debian package, made by cpack from the build tree as a release would
# be: lintian finds no error and no warning in it (a program without its
# manual page is one).
#
# usage: package.sh BUILD_DIR
set -eu
build=$1
for tool in cpack lintian dpkg-shlibdeps file; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (Debian packages cmake, lintian, dpkg-dev, file)"
        exit 77
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    exit 1
fi
if ! lintian --fail-on error,warning "$work"/*.deb >"$work/lintian.log" 2>&1; then
    cat "$work/lintian.log" >&2
    exit 1
fi
echo "lintian: no error and no warning on $(basename "$work"/*.deb)"
