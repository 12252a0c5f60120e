#!/bin/sh
# Runs a test program as the unprivileged user "nobody" when started as root, since folder
# permissions bind only such a user: run-unprivileged.sh PROGRAM [ARGUMENTS...]
# The program is copied to a folder of its own, so that it needs no access to the build tree.
set -eu
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
program=$1
shift
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$program" "$dir/"
chmod 1777 "$dir"
cd "$dir"
TMPDIR="$dir" HOME="$dir" XDG_CONFIG_HOME="$dir/.config" XDG_STATE_HOME="$dir/.local/state" setpriv --reuid=nobody --regid=nogroup --clear-groups \
    "./$(basename "$program")" "$@"
