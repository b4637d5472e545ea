#!/usr/bin/env bash
# Screenshots of the editor's dialogs for a person to look at:
# build/scene-<name>.png for each scene named (default: all). The context scene
# shows the highlighted item's hint in the status line; under Xvfb without a
# window manager Wine leaves the popup menu itself below the frame.
set -uo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/scripts/test-env.sh"
quillon_environment_up || exit 1
scenes=("$@")
[ ${#scenes[@]} -eq 0 ] && scenes=(find goto case context documents utf8 journal restored replace picker desktop chevron windows about font templates stencil xhtml macros macromenu)
for scene in "${scenes[@]}"; do
    marker="$top/build/scene-$scene.ready"
    rm -f "$marker"
    quillon_wine "$top/build/win/tests/ui_scenes.exe" "$scene" "$(winepath -w "$marker" 2>/dev/null)" \
        </dev/null >/dev/null 2>&1 &
    pid=$!
    for i in $(seq 1 300); do [ -e "$marker" ] && break; sleep 0.1; done
    if [ -e "$marker" ]; then
        import -window root "$top/build/scene-$scene.png" && echo "screenshot: build/scene-$scene.png"
    else
        echo "scene $scene did not come up" >&2
    fi
    kill "$pid" 2>/dev/null
    wineserver -k >/dev/null 2>&1
    wait "$pid" 2>/dev/null
    wineserver -p </dev/null >/dev/null 2>&1
    rm -f "$marker"
done
