#!/usr/bin/env bash
# Installs what is missing, builds the program, installs it into a folder of
# your own and starts it from there.
#
# The program keeps its settings file beside itself. Started from build/, a
# rebuild, rm -rf build or git clean would take the saved settings with it,
# so the copy started here lives in ${XDG_DATA_HOME:-~/.local/share}/peln/bin.
# peln-cli is installed beside it and linked into ~/.local/bin, which
# Debian's default profile puts on the PATH, with its manual page and bash
# completion linked where man and bash look for a user's own; a menu entry
# and the icon go where the desktop looks for a user's own.
#
# By default a simulated brewer starts beside the window, on a
# pseudo-terminal: type the device path it prints into the port box and
# press Connect. The simulator prints every frame it receives and takes
# commands on this terminal (h for help); it stops when the window closes.
#
#   scripts/run.sh --no-sim    starts the window alone, for a real brewer
set -euo pipefail
cd "$(dirname "$0")/.."

simulate=1
case "${1:-}" in
    --no-sim) simulate=0 ;;
    "") ;;
    *) echo "usage: $0 [--no-sim]" >&2; exit 2 ;;
esac

# Without a display Qt aborts with a core dump and no advice. Check before
# installing or building anything, so the answer is instant and needs no sudo.
# A platform that draws without one (offscreen, vnc, ...) chosen through
# QT_QPA_PLATFORM is let through.
case "${QT_QPA_PLATFORM:-}" in
    offscreen* | minimal* | vnc* | linuxfb* | eglfs*) ;;
    *)
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
            cat >&2 <<'EOF'
scripts/run.sh: there is no display to show the window on (neither DISPLAY
nor WAYLAND_DISPLAY is set, as in an SSH login or on a headless machine).
Run it from a terminal inside a desktop session, or try it on a virtual
display: xvfb-run -a scripts/run.sh (install xvfb-run with
"sudo apt-get install xvfb xauth").
EOF
            exit 1
        fi
        ;;
esac

home="${XDG_DATA_HOME:-$HOME/.local/share}/peln"
program="$home/bin/peln"
settings="$home/bin/PELN PROGRAM DATA.TXT"

scripts/setup-deps.sh
cmake -S . -B build
targets=(peln peln-cli)
[ "$simulate" -eq 1 ] && targets+=(brewer-sim)
cmake --build build -j"$(nproc)" --target "${targets[@]}"
cmake --install build --prefix "$home"

data="${XDG_DATA_HOME:-$HOME/.local/share}"
link() { mkdir -p "$(dirname "$2")" && ln -sfn "$1" "$2"; }
link "$home/bin/peln-cli" "$HOME/.local/bin/peln-cli"
for page in peln.1 peln-cli.1; do
    link "$home/share/man/man1/$page" "$data/man/man1/$page"
done
link "$home/share/bash-completion/completions/peln-cli" "$data/bash-completion/completions/peln-cli"
# The menu entry starts this copy, wherever it lives; the icons go where the
# desktop looks for a user's own.
for icon in "$home"/share/icons/hicolor/*/apps/org.peln.Peln.*; do
    link "$icon" "$data/icons/${icon#"$home/share/icons/"}"
done
mkdir -p "$data/applications"
sed "s|^Exec=peln\$|Exec=\"$program\"|" "$home/share/applications/org.peln.Peln.desktop" \
    >"$data/applications/org.peln.Peln.desktop"
case ":$PATH:" in
    *":$HOME/.local/bin:"*) ;;
    *) echo ">>> peln-cli is in ~/.local/bin, which is not on your PATH yet: log in again," \
        "or run it as ~/.local/bin/peln-cli." ;;
esac

# Earlier versions of this script started the program inside build/, where
# its settings file may still lie: bring it along once.
if [ -f "build/src/app/PELN PROGRAM DATA.TXT" ] && [ ! -e "$settings" ]; then
    cp -p "build/src/app/PELN PROGRAM DATA.TXT" "$settings"
    echo ">>> Copied the settings file from build/src/app/ to its new place."
fi
echo
echo ">>> Save and Load use: $settings"

if [ "$simulate" -eq 0 ]; then
    echo
    exec "$program"
fi

port_file=$(mktemp)
# A background job would read from /dev/null; hand it this terminal's input.
build/tools/brewer-sim/brewer-sim --port-file "$port_file" <&0 &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; rm -f "$port_file"' EXIT
# The simulator announces its port itself; wait until it is listening.
for _ in $(seq 100); do
    [ -s "$port_file" ] && break
    kill -0 "$simulator" 2>/dev/null || { echo "The brewer simulator did not start." >&2; exit 1; }
    sleep 0.1
done
[ -s "$port_file" ] || { echo "The brewer simulator did not start." >&2; exit 1; }
"$program"
