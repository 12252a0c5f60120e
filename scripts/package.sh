#!/usr/bin/env bash
# Builds the Debian package into ./build-package (or $PACKAGE_BUILD_DIR): a Release build
# with Debian's hardening flags (dpkg-buildflags), of only what the package holds, then
# CPack. Prints the package's path. Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${PACKAGE_BUILD_DIR:-build-package}"

# Debian's flags with all its hardening, without its debug information and optimisation
# level: the package is stripped (as Debian strips, packaging/strip.sh), and Release sets
# its own level. Given on the command line, so that a second run changes them too.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
export DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
# The package needs just the installation (target kb_installation), not the whole tree.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON -DCMAKE_STRIP="$PWD/packaging/strip.sh" \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
    -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
    "$@" >/dev/null
cmake --build "$build_dir" --target kb_installation
rm -f "$build_dir"/kennblaetter_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$build_dir"/kennblaetter_*.deb
