#!/usr/bin/env bash
# Shows the window under a virtual display at several client sizes and saves
# a screenshot of each into shots/ (or the directory given first). Without
# sizes it takes the design size, double the width and half as large again,
# then the window as it opens on a 1024 x 600 screen, the design size at a
# scale factor of 1.5, and the design size on desktops that hand the program
# their own type and colours: GTK's with a 10 pt and an 11 pt type, and GTK's
# dark theme (Adwaita:dark); in German at the design size and on the 1024 x
# 600 screen; and beside them the Windows build at the design
# size under Wine, once scripts/windows.sh has built it. Then a technician's
# steps against the simulated brewer, each notice included, in link-plain/,
# link-1024x600/, link-150/ and link-gtk-dark/ (see below), and the window
# on Wayland at 1024 x 600 and 1366 x 768 at 150 % when weston is installed:
#   scripts/screenshots.sh [DIR [WIDTHxHEIGHT ...]]
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-shots}
shift || true
sizes=("$@")
defaults=false
[ ${#sizes[@]} -eq 0 ] && defaults=true && sizes=(969x700 1938x700 1453x1050)

scripts/setup-deps.sh xvfb xauth qt6-gtk-platformtheme
cmake -S . -B build
cmake --build build -j"$(nproc)" --target form-shot peln
mkdir -p "$out"
shot=build/tools/form-shot/form-shot
xvfb-run -a -s "-screen 0 2000x1200x24" "$shot" "$out" "${sizes[@]}"
$defaults || exit 0
xvfb-run -a -s "-screen 0 1024x600x24" "$shot" "$out" opened
QT_SCALE_FACTOR=1.5 xvfb-run -a -s "-screen 0 2000x1200x24" "$shot" "$out" 969x700
# In German, whose captions run longest: the design size and a netbook's
# screen, in de/.
mkdir -p "$out/de"
LANGUAGE=de xvfb-run -a -s "-screen 0 2000x1200x24" "$shot" "$out/de" 969x700
LANGUAGE=de xvfb-run -a -s "-screen 0 1024x600x24" "$shot" "$out/de" opened

# A GTK desktop: its settings in a folder of their own, its type and theme
# handed to the program by Qt's GTK platform theme.
desktop=$(mktemp -d)
trap 'rm -rf "$desktop"' EXIT
mkdir -p "$desktop/gtk-3.0" "$desktop/shots"
for look in 10pt 11pt dark; do
    case $look in
        dark) settings="gtk-theme-name=Adwaita"$'\n'"gtk-application-prefer-dark-theme=1" ;;
        *) settings="gtk-font-name=DejaVu Sans ${look%pt}" ;;
    esac
    printf '[Settings]\n%s\n' "$settings" >"$desktop/gtk-3.0/settings.ini"
    XDG_CONFIG_HOME=$desktop QT_QPA_PLATFORMTHEME=gtk3 \
        xvfb-run -a -s "-screen 0 2000x1200x24" "$shot" "$desktop/shots" 969x700 >/dev/null
    mv "$desktop/shots/form-969x700.png" "$out/form-969x700-gtk-$look.png"
    echo "$out/form-969x700-gtk-$look.png"
done

# A technician's steps against the simulated brewer: fields whose values
# Send replaces, the status line after Connect, after a Read that checks what
# the brewer took (it holds Left Button pulse 3 at 30) and after a pulled
# line, and each notice on the way.
link_steps=(as:marked Text19=5 Text20=200 Text17=12abc Text3=25 SIZE brewer click:connect
    as:connected SIZE "brewer:p 2 30" click:Command1 click:Command2 as:read SIZE click:connect
    brewer:u as:pulled SIZE)
for look in plain 1024x600 150 gtk-dark; do
    mkdir -p "$out/link-$look"
    screen="-screen 0 2000x1200x24" size=969x700 environment=()
    case $look in
        1024x600) screen="-screen 0 1024x600x24" size=opened ;;
        150) environment=(QT_SCALE_FACTOR=1.5) ;;
        gtk-dark)
            printf '[Settings]\ngtk-theme-name=Adwaita\ngtk-application-prefer-dark-theme=1\n' \
                >"$desktop/gtk-3.0/settings.ini"
            environment=(XDG_CONFIG_HOME="$desktop" QT_QPA_PLATFORMTHEME=gtk3)
            ;;
    esac
    env "${environment[@]}" xvfb-run -a -s "$screen" "$shot" "$out/link-$look" \
        "${link_steps[@]/#SIZE/$size}" >/dev/null
    echo "$out/link-$look/"
done

# Wayland, where a client can neither place itself nor learn what the
# panels take: the whole screen of weston's headless compositor at 1024 x
# 600 and, with the program at 150 %, 1366 x 768, each taken by weston's
# screenshooter.
if command -v weston >/dev/null && command -v weston-screenshooter >/dev/null &&
    [ -f /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ]; then
    for look in 1024x600 1366x768; do
        runtime=$desktop/wayland-$look
        mkdir -m 700 -p "$runtime"
        scale=1
        [ $look = 1366x768 ] && scale=1.5
        XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --use-pixman \
            --width="${look%x*}" --height="${look#*x}" --socket=peln --debug >/dev/null 2>&1 &
        compositor=$!
        for _ in $(seq 50); do [ -S "$runtime/peln" ] && break; sleep 0.1; done
        XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=peln QT_QPA_PLATFORM=wayland \
            QT_SCALE_FACTOR=$scale build/src/app/peln >/dev/null 2>&1 &
        program=$!
        sleep 4
        (cd "$runtime" && XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=peln weston-screenshooter)
        kill "$program" "$compositor" 2>/dev/null
        wait "$program" "$compositor" 2>/dev/null || true
        mv "$runtime"/wayland-screenshot-*.png "$out/window-wayland-$look.png"
        echo "$out/window-wayland-$look.png"
    done
else
    echo "No weston (Debian packages weston and qt6-wayland): no Wayland screenshots." >&2
fi

# The Windows build under Wine, its own platform and type. Wine's GDI draws
# no text in Qt's line edits; Qt's DirectWrite engine draws it.
windows_shot=build-windows/form-shot.exe
if [ -f "$windows_shot" ] && command -v wine >/dev/null; then
    export WINEPREFIX=$desktop/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    WINEQT_QPA_PLATFORM=windows:fontengine=directwrite xvfb-run -a -s "-screen 0 2000x1200x24" \
        bash -c 'wine "$1" "$(winepath -w "$2")" 969x700; wineserver -w' _ "$windows_shot" \
        "$desktop/shots" >/dev/null 2>&1
    mv "$desktop/shots/form-969x700.png" "$out/form-969x700-windows.png"
    echo "$out/form-969x700-windows.png"
else
    echo "No Windows build (scripts/windows.sh makes one): no screenshot of it." >&2
fi
