#!/usr/bin/env bash
# Builds the static Qt 6.4.2 for 64-bit Windows (qtbase and Qt SerialPort,
# MinGW-w64) that scripts/windows.sh links against, once: the result is
# kept outside the clone, keyed by the sources' checksums and this script's
# configure line, and reused while both stay the same. Prints the prefix.
#
#   PELN_QT_SOURCES  a folder holding qt6-base_6.4.2+dfsg.orig.tar.xz and
#                    qtserialport-everywhere-src-6.4.2.tar.xz (otherwise
#                    they are fetched with apt-get source)
#   PELN_QT_CACHE    where built Qts are kept (~/.cache/peln)
#
# Expects the packages scripts/windows.sh installs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

base_tar=qt6-base_6.4.2+dfsg.orig.tar.xz
serial_tar=qtserialport-everywhere-src-6.4.2.tar.xz
cache=${PELN_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/peln}
mkdir -p "$cache"

# The sources: from the given folder, or from Debian's source packages.
sources=${PELN_QT_SOURCES:-}
if [ -z "$sources" ]; then
    sources=$cache/sources
    mkdir -p "$sources"
    if [ ! -f "$sources/$base_tar" ] || [ ! -f "$sources/$serial_tar" ]; then
        (cd "$sources" && apt-get source --download-only qt6-base qt6-serialport >&2) || {
            echo "windows-qt.sh: apt-get source could not fetch Qt's sources (it needs deb-src" \
                "lines in APT's sources); put $base_tar and $serial_tar in a folder and" \
                "name it in PELN_QT_SOURCES" >&2
            exit 1
        }
        # Debian's qt6-serialport keeps the upstream tarball under its own name.
        serial_orig=$(ls "$sources"/qt6-serialport_6.4.2*.orig.tar.xz 2>/dev/null | head -n1 || true)
        [ -n "$serial_orig" ] && [ ! -f "$sources/$serial_tar" ] && cp "$serial_orig" "$sources/$serial_tar"
    fi
fi
for tarball in "$base_tar" "$serial_tar"; do
    [ -f "$sources/$tarball" ] || { echo "windows-qt.sh: $sources/$tarball is missing" >&2; exit 1; }
done

configure_options=(
    -release -static -static-runtime -qt-host-path /usr
    -nomake examples -nomake tests -no-opengl -no-dbus -no-pkg-config
    -qt-zlib -qt-pcre -qt-freetype -qt-harfbuzz -qt-libpng -qt-libjpeg -qt-doubleconversion
    -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent
    -no-feature-xml -no-feature-tabletevent -no-feature-vulkan
)
key=$( { sha256sum "$sources/$base_tar" "$sources/$serial_tar" | cut -d' ' -f1
         printf '%s\n' "${configure_options[@]}"
         cat "$here/cmake/mingw-w64-toolchain.cmake"; } | sha256sum | cut -c1-12)
prefix=$cache/qt-6.4.2-mingw64-static-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

# Built in a scratch folder beside the cache and installed straight into
# the prefix, which counts only once it is marked complete: an interrupted
# build is started again, never used. Qt records the toolchain file's path,
# so the prefix keeps its own copy.
echo "Building a static Qt 6.4.2 for Windows into $prefix (about 30 minutes on two cores)" >&2
rm -rf "$prefix"
mkdir -p "$prefix"
cp "$here/cmake/mingw-w64-toolchain.cmake" "$prefix/mingw-w64-toolchain.cmake"
work=$cache/build-$key
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
tar -C "$work" -xf "$sources/$base_tar"
tar -C "$work" -xf "$sources/$serial_tar"

mkdir "$work/qtbase-build"
(cd "$work/qtbase-build" &&
    "$work/qtbase-everywhere-src-6.4.2/configure" -prefix "$prefix" "${configure_options[@]}" \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-toolchain.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake &&
    cmake --build . --parallel "$jobs" &&
    cmake --install .) >&2

mkdir "$work/qtserialport-build"
(cd "$work/qtserialport-build" &&
    "$prefix/bin/qt-configure-module" "$work/qtserialport-everywhere-src-6.4.2" &&
    cmake --build . --parallel "$jobs" &&
    cmake --install .) >&2

touch "$prefix/.complete"
echo "$prefix"
