#!/bin/sh
# Runs a test binary as an unprivileged user: permission cases only really
# fail for someone other than root. The binary is copied to a fresh folder
# first, since the build tree may sit where that user cannot reach.
set -eu
binary=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    exec "$binary" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$binary" "$work/"
chmod 755 "$work" "$work/$(basename "$binary")"
# A home of the user's own, where its side files go.
mkdir "$work/home"
chown 65534:65534 "$work/home"
cd "$work"
HOME="$work/home" XDG_RUNTIME_DIR="$work/home" TMPDIR=/tmp \
    setpriv --reuid=65534 --regid=65534 --clear-groups -- "./$(basename "$binary")" "$@"
