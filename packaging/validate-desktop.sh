#!/bin/sh
# validate-desktop.sh <desktop entry> <metainfo> <icon>
# Checks the desktop entry with desktop-file-validate and the metainfo with appstreamcli,
# both as installed side by side, so that the metainfo's launchable must name the entry.
# Ends with 77 (skipped) when a validator is not installed (packages desktop-file-utils,
# appstream).
set -eu
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool not installed; skipped"
        exit 77
    fi
done
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/usr/share/applications" "$tree/usr/share/metainfo" \
         "$tree/usr/share/icons/hicolor/scalable/apps"
cp "$1" "$tree/usr/share/applications/"
cp "$2" "$tree/usr/share/metainfo/"
cp "$3" "$tree/usr/share/icons/hicolor/scalable/apps/"
desktop-file-validate "$tree/usr/share/applications/$(basename "$1")"
# --no-net: the screenshot's address is not fetched.
appstreamcli validate-tree --no-net "$tree"
