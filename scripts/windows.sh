#!/usr/bin/env bash
# PELN for 64-bit Windows, built and tried here on Debian:
#   scripts/windows.sh
# 1. installs what it needs (MinGW-w64, Ninja, Wine, NSIS, Xvfb);
# 2. builds a static Qt for Windows once (scripts/windows-qt.sh; about 30
#    minutes on two cores the first time, reused afterwards);
# 3. cross-builds peln.exe, peln-cli.exe and the tests twice: as the
#    portable program, which keeps its settings file beside itself
#    (build-windows/), and as the installed one, which keeps it in
#    %LOCALAPPDATA%\PELN (build-windows-installed/);
# 4. runs the tests under Wine, then the line end to end: the Windows
#    programs on a COM port that Wine maps onto the pseudo-terminal of the
#    Linux brewer-sim, sending byte for byte what the Linux build sends;
# 5. makes the installer and the portable zip (build-windows/dist/), then
#    installs silently under Wine, starts the installed window, saves from
#    it, takes a screenshot and uninstalls.
# PELN_QT_SOURCES names a folder of Qt's source tarballs (see
# scripts/windows-qt.sh); CI passes ../shared/qt-sources.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
step() { printf '\n=== %s\n' "$*"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

scripts/setup-deps.sh g++-mingw-w64-x86-64-posix ninja-build wine nsis xvfb xauth \
    python3 python3-xlib
qt=$(scripts/windows-qt.sh)

step "Cross-build for Windows with $qt"
for kind in portable installed; do
    if [ "$kind" = portable ]; then
        build=build-windows options=(-DBUILD_TESTING=ON)
    else
        build=build-windows-installed options=(-DBUILD_TESTING=OFF -DPELN_SYSTEM_INSTALL=ON)
    fi
    "$qt/bin/qt-cmake" --no-warn-unused-cli -S . -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release -DPELN_WERROR=ON \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-qtest.sh" "${options[@]}" >/dev/null
    cmake --build "$build" -j"$jobs" --target peln peln-cli $([ "$kind" = portable ] &&
        echo peln_tests form-shot)
    x86_64-w64-mingw32-strip "$build/peln.exe" "$build/peln-cli.exe"
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
ls -l build-windows/peln.exe build-windows/peln-cli.exe

# The Linux side of the line: the simulated brewer and the Linux peln-cli.
cmake -S . -B build >/dev/null
cmake --build build -j"$jobs" --target brewer-sim peln-cli
sim=$root/build/tools/brewer-sim/brewer-sim
linux_cli=$root/build/tools/peln-cli/peln-cli

# A Wine of this run's own, on a virtual display.
work=$root/build-windows/run
[ -e "$work/held-port" ] && chattr -i "$work/held-port"
rm -rf "$work"
mkdir -p "$work/files"
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
simulator=
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$simulator" ] && kill "$simulator" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    [ -e "$work/held-port" ] && chattr -i "$work/held-port"
    return 0
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
wineboot -i >/dev/null 2>&1
wine_path() { winepath -w "$1" 2>/dev/null; }

# The simulated brewer on Linux, at the far end of COM1. Wine lets every
# opener share a serial device, where Windows refuses a second one with
# "access denied"; COM2 is a port that Wine refuses in those words, a file
# that no one may write, for the tests of a port that another program holds.
mkfifo "$work/commands"
"$sim" --port-file "$work/port" --frames "$work/frames" <"$work/commands" >"$work/brewer.log" &
simulator=$!
exec 4>"$work/commands" # the brewer's standard input, held open for commands
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
pty=$(cat "$work/port")
wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$pty" /f >/dev/null
export PELN_TEST_COM_PORT=COM1 PELN_TEST_FRAMES=$(wine_path "$work/files")
touch "$work/held-port"
if chattr +i "$work/held-port" 2>/dev/null; then
    wine reg add 'HKLM\Software\Wine\Ports' /v COM2 /t REG_SZ /d "$work/held-port" /f >/dev/null
    export PELN_TEST_HELD_PORT=COM2
else
    echo "This file system cannot make a file that root may not write: no held port is tried."
fi
wineserver -k 2>/dev/null || true # the ports are mapped as Wine starts

step "The tests under Wine"
ctest --test-dir build-windows --output-on-failure -j"$jobs"

step "The line end to end: the Windows programs and the simulated brewer on Linux"
cli=build-windows/peln-cli.exe
for file in "$work"/files/window-*.TXT; do
    wine "$cli" send --force --quiet "$(wine_path "$file")" --port COM1
done
# What the brewer took: the window's frames (tst_window_link's comPort), then
# peln-cli.exe's, each what the Linux build makes of the same file.
expected=$work/expected
for _ in window cli; do
    for file in "$work"/files/window-*.TXT; do
        "$linux_cli" frame --force "$file" 2>/dev/null
        echo
    done
done >"$expected"
[ -s "$expected" ] || fail "the window's test sent no files"
for _ in $(seq 50); do
    [ "$(wc -l <"$work/frames")" -ge "$(wc -l <"$expected")" ] && break
    sleep 0.1
done
cmp "$expected" "$work/frames" || fail "the brewer took other frames than the Linux build sends (see $work)"
echo "the brewer took $(wc -l <"$expected") frames, each byte for byte what Linux sends"
# The brewer's record, read by both builds alike.
for reader in windows linux; do
    if [ $reader = windows ]; then
        wine "$cli" read --port COM1 --timeout 30 >"$work/read-$reader" 2>"$work/waiting-$reader" &
    else
        "$linux_cli" read --port "$pty" --timeout 30 >"$work/read-$reader" 2>"$work/waiting-$reader" &
    fi
    reading=$!
    for _ in $(seq 300); do grep -q Waiting "$work/waiting-$reader" && break; sleep 0.1; done
    echo r >&4
    wait "$reading" || fail "$reader peln-cli read: $(cat "$work/waiting-$reader")"
done
grep -q '^left.total=' "$work/read-windows" || fail "read printed no record"
cmp "$work/read-linux" "$work/read-windows" || fail "the two builds read the record differently"
echo "peln-cli.exe read the brewer's record as the Linux build does"
exec 4>&-
kill "$simulator"
simulator=

step "The installer and the portable zip"
dist=$root/build-windows/dist
rm -rf "$dist" && mkdir -p "$dist/stage" "$dist/portable"
cp build-windows-installed/peln.exe build-windows-installed/peln-cli.exe \
    build-windows-installed/packaging/peln.ico "$dist/stage/"
sed 's/$/\r/' LICENSE >"$dist/stage/LICENSE.txt"
setup=$dist/PELN-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$dist/stage" -DOUTFILE="$setup" \
    packaging/windows/peln.nsi
cp build-windows/peln.exe build-windows/peln-cli.exe \
    "$dist/stage/LICENSE.txt" "$dist/portable/"
(cd "$dist/portable" && cmake -E tar cf "$dist/PELN-$version-windows-portable.zip" --format=zip \
    peln.exe peln-cli.exe LICENSE.txt)
ls -l "$dist"/*.exe "$dist"/*.zip

step "Install silently, save from the installed window, uninstall"
wine "$setup" /S
installed="$WINEPREFIX/drive_c/Program Files/PELN"
for file in peln.exe peln-cli.exe uninstall.exe; do
    [ -f "$installed/$file" ] || fail "the installer put no $file in Program Files\\PELN"
done
settings=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")/PELN/"PELN PROGRAM DATA.TXT"
[ ! -e "$settings" ] || fail "a settings file was there before the first Save"
# Wine's GDI draws no text in Qt's line edits; Qt's DirectWrite engine, which
# Windows itself has, draws it under Wine too.
WINEQT_QPA_PLATFORM=windows:fontengine=directwrite wine "C:\\Program Files\\PELN\\peln.exe" &
window=$!
# Read from Brewer has the focus as the window opens; Save is five Tabs on.
/usr/bin/python3 scripts/xwindow.py PELN wait 2 shot "$dist/installed-peln.png" \
    keys Tab Tab Tab Tab Tab space
/usr/bin/python3 scripts/xwindow.py Message keys Return
/usr/bin/python3 scripts/xwindow.py PELN close
wait "$window" || fail "the installed window did not end cleanly"
[ -f "$settings" ] || fail "Save wrote no $settings"
[ "$(stat -c %s "$settings")" = 314 ] || fail "Save wrote $(stat -c %s "$settings") bytes, not 314"
echo "the installed window saved %LOCALAPPDATA%\\PELN\\PELN PROGRAM DATA.TXT"
wine "C:\\Program Files\\PELN\\uninstall.exe" /S
# The uninstaller runs on from a copy of itself.
for _ in $(seq 100); do [ -e "$installed" ] || break; sleep 0.2; done
[ ! -e "$installed" ] || fail "the uninstaller left $(ls "$installed")"
[ -f "$settings" ] || fail "the uninstaller removed the user's settings file"
echo "the uninstaller removed the programs and left the settings file"
echo "Windows programs, installer and zip: $dist"
