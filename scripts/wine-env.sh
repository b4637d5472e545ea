# Sourced by the scripts that run Windows programs: one private Wine prefix under
# build/, the product's home code pages (ANSI 1251, OEM 866) and a quiet Wine.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${QUILLON_WINEPREFIX:-$top/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
if command -v wine64 >/dev/null 2>&1; then QUILLON_WINE=wine64
elif [ -x /usr/lib/wine/wine64 ]; then QUILLON_WINE=/usr/lib/wine/wine64
else QUILLON_WINE=wine; fi
export QUILLON_WINE

# Every Wine run gets LC_ALL=ru_RU.UTF-8: LANG alone leaves Wine on 1252/437 where
# the ru_RU locale is not generated. It is set per command, not in this shell, so
# that bash does not complain about a locale it cannot load.
quillon_wine() { env LC_ALL=ru_RU.UTF-8 "$QUILLON_WINE" "$@"; }

# Creates the prefix once (about 15 s); later calls return at once.
quillon_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        quillon_wine wineboot --init </dev/null >/dev/null 2>&1 || true
        # Wine draws the window frames itself: a bare Xvfb has no window manager.
        quillon_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
        # The editor's font: Liberation Mono has Courier New's metrics and Cyrillic.
        quillon_wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f \
            </dev/null >/dev/null 2>&1 || true
        wineserver -w
    fi
    # Window caption buttons are drawn with Marlett, as on Windows; without it in
    # the prefix's Fonts folder they show as the letters "0 1 r".
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
}
