#!/usr/bin/env bash
# Checks a Debian package of PELN as a distribution would, and tries it
# unpacked into a scratch folder:
#   scripts/check-package.sh PACKAGE.deb
# - it holds both programs, the menu entry, the icon, the AppStream
#   metadata, the manual pages, the completion, the copyright and changelog;
# - lintian finds no error, the menu entry and metadata validate;
# - peln-cli without FILE writes and reads the settings file in
#   $XDG_DATA_HOME/peln;
# - the window starts offscreen, and on an X display quits cleanly when
#   its window is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "$1")
scripts/setup-deps.sh lintian desktop-file-utils appstream xvfb xauth python3-xlib >&2
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { printf '>>> %s\n' "$*"; }

step "Contents of $(basename "$deb")"
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for file in /usr/bin/peln /usr/bin/peln-cli \
    /usr/share/applications/org.peln.Peln.desktop \
    /usr/share/icons/hicolor/scalable/apps/org.peln.Peln.svg \
    /usr/share/icons/hicolor/48x48/apps/org.peln.Peln.png \
    /usr/share/metainfo/org.peln.Peln.metainfo.xml \
    /usr/share/man/man1/peln.1.gz /usr/share/man/man1/peln-cli.1.gz \
    /usr/share/bash-completion/completions/peln-cli \
    /usr/share/doc/peln/copyright /usr/share/doc/peln/changelog.Debian.gz; do
    grep -qx "$file" <<<"$contents" || fail "$file is not in the package"
done
echo "every file is there"

step "lintian"
# The one warning left, initial-upload-closes-no-bugs, concerns uploads to
# Debian's own archive, which this package is not made for.
lintian --fail-on error "$deb" || fail "lintian found errors"

work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
step "desktop-file-validate and appstreamcli validate"
desktop-file-validate "$work/root/usr/share/applications/org.peln.Peln.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.peln.Peln.metainfo.xml"

step "peln-cli keeps the settings file in the user's data folder"
export XDG_DATA_HOME=$work/data
cli=$work/root/usr/bin/peln-cli
"$cli" set logo=X >/dev/null
[ -f "$XDG_DATA_HOME/peln/PELN PROGRAM DATA.TXT" ] || fail "set without FILE wrote no file in $XDG_DATA_HOME/peln"
[ "$("$cli" get -f "$XDG_DATA_HOME/peln/PELN PROGRAM DATA.TXT" logo)" = X ] || fail "the file does not hold the logo"
"$cli" show | grep -qx 'logo=X' || fail "show without FILE does not read it back"

step "the window starts offscreen"
QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/peln" 2>"$work/offscreen.log" &
window=$!
sleep 3
kill -0 "$window" 2>/dev/null || fail "the window did not stay up: $(cat "$work/offscreen.log")"
kill "$window"
wait "$window" 2>/dev/null || true

step "the window quits cleanly when it is closed"
cat >"$work/close.py" <<'PYTHON'
# Asks the window named PELN to close, as a window manager's close button does.
import sys, time
from Xlib import X, display, protocol
screen = display.Display()
root = screen.screen().root
protocols = screen.intern_atom("WM_PROTOCOLS")
delete = screen.intern_atom("WM_DELETE_WINDOW")
for _ in range(100):
    for window in root.query_tree().children:
        if window.get_wm_name() == "PELN":
            window.send_event(protocol.event.ClientMessage(window=window, client_type=protocols,
                                                           data=(32, [delete, X.CurrentTime, 0, 0, 0])))
            screen.flush()
            sys.exit(0)
    time.sleep(0.1)
sys.exit("no window named PELN appeared")
PYTHON
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1" & window=$!
    /usr/bin/python3 "$2" || exit 3
    for _ in $(seq 50); do kill -0 "$window" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$window" 2>/dev/null; then kill "$window"; exit 4; fi
    wait "$window"' _ "$work/root/usr/bin/peln" "$work/close.py" ||
    fail "the window did not quit cleanly (status $?)"
echo "the package is sound"
