#!/bin/sh
# Writes velkarinth-cli(1), compressed, from the program's own help.
#
# usage: help2man.sh HELP2MAN VELKARINTH_CLI INCLUDE OUTPUT
set -eu
help2man=$1 cli=$2 include=$3 output=$4
"$help2man" --no-info --section 1 --locale C --output "$output.1" \
  --name "install a Mental Ray shader into Maya from scripts" --include "$include" "$cli"
# help2man makes a section of Options and Examples alone: the help's other
# headings (Arguments, Commands, Exit status) are a manual's sections too.
sed -i 's/^\.SS "\([^"]*\):"$/.SH "\U\1"/' "$output.1"
gzip -9nc "$output.1" >"$output.tmp"
rm "$output.1"
mv "$output.tmp" "$output"
