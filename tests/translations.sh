#!/bin/sh
# Every text the sources pass through tr() has an English rendering in the
# committed translation, under its context: lupdate run on a copy of it must
# find nothing new and leave nothing unfinished, in English punctuation.
set -eu
lupdate=$1
sources=$2
ts=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/check.ts"
"$lupdate" -silent -no-obsolete -locations none "$sources" -ts "$work/check.ts"
if grep -n 'type="unfinished"' "$work/check.ts"; then
    echo "texts without an English rendering (above)" >&2
    exit 1
fi
# English sets no space before a colon, a semicolon, a question or an
# exclamation mark, and quotes with quotation marks, not guillemets.
if grep -nE '<translation>([^<]* [:;?!]|[^<]*(«|»))' "$ts"; then
    echo "French punctuation in English renderings (above)" >&2
    exit 1
fi
echo "all texts translated"
