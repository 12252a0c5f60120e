#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and its tools need. Safe to repeat:
# nothing is downloaded when everything is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev libpoppler-qt6-dev mdbtools-dev libglib2.0-dev
    mdbtools poppler-utils xvfb xauth openbox x11-utils fonts-dejavu-core fonts-liberation
    cups printer-driver-cups-pdf imagemagick clang libcups2-dev qpdf libsqlite3-dev
    dpkg-dev librsvg2-bin desktop-file-utils appstream xdotool python3 pdfgrep zlib1g-dev
    qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
