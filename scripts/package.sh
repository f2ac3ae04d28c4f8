#!/usr/bin/env bash
# Makes the Debian package: a Release build configured as a system-wide
# install (programs in /usr/bin, the settings file in each user's data
# folder), built with Debian's hardening flags, packed by CPack's DEB
# generator with the libraries it needs read off the binaries.
#   scripts/package.sh            prints the path of the .deb it made
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh dpkg-dev file >&2 # dpkg-buildflags, dpkg-shlibdeps; file for CPack
build=build-package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
echo ">>> Building the package in $build/" >&2
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DPELN_SYSTEM_INSTALL=ON -DBUILD_TESTING=OFF >&2
cmake --build "$build" -j"$(nproc)" --target peln peln-cli compressed_documents >&2
(cd "$build" && cpack -G DEB >&2)
ls "$PWD/$build"/peln_*_*.deb
