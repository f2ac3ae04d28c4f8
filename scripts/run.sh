#!/usr/bin/env bash
# Installs what is missing, builds the program, installs it into a folder of
# your own and starts it from there.
#
# The copy installed here is built as the Debian package is: its settings
# file is each user's own, ${XDG_DATA_HOME:-~/.local/share}/peln/PELN
# PROGRAM DATA.TXT, the one the package's program uses too, so either finds
# the same set. The copy itself lives in ~/.local/lib/peln-dev, apart from
# the settings, and the script prints the one command that removes it and
# leaves the settings. Its menu entry is "PELN (development copy)", beside
# the package's. Where the package is not installed, peln-cli is linked into
# ~/.local/bin, which Debian's default profile puts on the PATH, with its
# manual pages and bash completion where man and bash look for a user's own.
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

data="${XDG_DATA_HOME:-$HOME/.local/share}"
home="$HOME/.local/lib/peln-dev"
program="$home/bin/peln"
settings="$data/peln/PELN PROGRAM DATA.TXT"
entry="$data/applications/org.peln.Peln.Dev.desktop"
packaged=false
[ -x /usr/bin/peln ] && packaged=true

scripts/setup-deps.sh
build=build-run
cmake -S . -B "$build" -DPELN_SYSTEM_INSTALL=ON -DBUILD_TESTING=OFF >/dev/null
targets=(peln peln-cli compressed_documents)
[ "$simulate" -eq 1 ] && targets+=(brewer-sim)
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
cmake --install "$build" --prefix "$home" >/dev/null

# What this copy adds outside its folder, each removed with it.
added=("$entry")
link() {
    [ -e "$2" ] && [ ! -L "$2" ] && return 0 # a file of the user's own stays
    mkdir -p "$(dirname "$2")" && ln -sfn "$1" "$2" && added+=("$2")
}
if ! $packaged; then
    link "$home/bin/peln-cli" "$HOME/.local/bin/peln-cli"
    for page in peln.1 peln-cli.1; do
        link "$home/share/man/man1/$page.gz" "$data/man/man1/$page.gz"
    done
    link "$home/share/bash-completion/completions/peln-cli" \
        "$data/bash-completion/completions/peln-cli"
    case ":$PATH:" in
        *":$HOME/.local/bin:"*) ;;
        *) echo ">>> peln-cli is in ~/.local/bin, which is not on your PATH yet: log in" \
            "again, or run it as ~/.local/bin/peln-cli." ;;
    esac
fi
# Its own menu entry, which starts this copy and hides no other; the icon
# is the package's, or this copy's where the package is not installed.
mkdir -p "$data/applications"
sed -e "s|^Exec=peln\$|Exec=\"$program\" %f|" -e 's|^Name=PELN$|Name=PELN (development copy)|' \
    -e "s|^Icon=.*|Icon=$home/share/icons/hicolor/scalable/apps/org.peln.Peln.svg|" \
    "$home/share/applications/org.peln.Peln.desktop" >"$entry"

# Earlier versions of this script kept the settings file beside the copy
# they installed into ${XDG_DATA_HOME}/peln/bin, and an entry of the
# package's name: bring the file along once, and drop that entry.
old="$data/peln/bin"
if [ -f "$old/PELN PROGRAM DATA.TXT" ] && [ ! -e "$settings" ]; then
    cp -p "$old/PELN PROGRAM DATA.TXT" "$settings"
    echo ">>> Copied the settings file from $old/ to $settings."
fi
if grep -qs "^Exec=\"$old/peln\"" "$data/applications/org.peln.Peln.desktop"; then
    rm -f "$data/applications/org.peln.Peln.desktop"
fi
echo
echo ">>> Save and Load use: $settings"
printf '>>> To remove this copy (the settings file stays):'
printf ' %q' rm -r "$home" "${added[@]}"
echo

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
