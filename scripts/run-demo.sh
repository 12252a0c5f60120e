#!/usr/bin/env bash
# Installs the dependencies, builds, writes the demo catalogue once and starts the viewer.
# The demo goes to build/demo with its settings file build/kennblaetter.INI (beside the
# viewer); it is written again when it is missing, incomplete or of another size.
# KB_DEMO_COUNT sets the number of data sheets (default 2500).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh

count="${KB_DEMO_COUNT:-2500}"
demo=build/demo
ini=build/kennblaetter.INI
marker="$demo/.kb-demo-complete"
if [ ! -f "$marker" ] || [ ! -f "$ini" ] || ! grep -qx "count=$count" "$marker"; then
    echo "Writing the demo catalogue ($count data sheets) to $demo ..."
    # The generator draws PDFs only; it needs Qt's fonts but never a display.
    QT_QPA_PLATFORM=offscreen ./build/kb-demo --count "$count" --settings "$ini" "$demo"
fi
# The viewer reads its report project Listen.xml from the working directory; the build puts
# the default one beside the viewer.
cd build
exec ./kennblaetter
