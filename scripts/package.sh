#!/usr/bin/env bash
# Builds the Debian package into ./build-package (or $PACKAGE_BUILD_DIR): a Release build
# with Debian's hardening flags (dpkg-buildflags), of only what the package holds, then
# CPack. Prints the package's path. Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${PACKAGE_BUILD_DIR:-build-package}"

# Debian's flags without its debug information and optimisation level: the package is
# stripped, and Release sets its own level.
export DEB_CFLAGS_MAINT_STRIP="-g -O2" DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
# The package needs just the installation (target kb_installation), not the whole tree.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "$@" >/dev/null
cmake --build "$build_dir" --target kb_installation
rm -f "$build_dir"/kennblaetter_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$build_dir"/kennblaetter_*.deb
