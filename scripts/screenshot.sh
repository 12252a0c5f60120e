#!/usr/bin/env bash
# Renews docs/screenshot.png and docs/screenshot-search.png: the main window and the search
# window on the demo catalogue, drawn offscreen.
# Run ./scripts/run-demo.sh once before, so that the demo and its settings file exist.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
cp build/kennblaetter.INI build/kb-screenshot.INI
QT_QPA_PLATFORM=offscreen ./build/kb-screenshot docs/screenshot.png 1200 760 \
    docs/screenshot-search.png S355J2
rm -f build/kb-screenshot.INI
