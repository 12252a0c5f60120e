#!/usr/bin/env bash
# Installs the dependencies, builds and starts the viewer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
exec ./build/kennblaetter
