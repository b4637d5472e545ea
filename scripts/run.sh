#!/usr/bin/env bash
# Starts Scrivo.exe under Wine. On a machine without a usable X display it runs
# on a virtual one, leaves a screenshot in build/scrivo.png and closes again.
set -uo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
had_display=""
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then had_display=1; fi
source "$top/scripts/test-env.sh"
quillon_environment_up || exit 1

exe="$top/build/win/bin/Scrivo.exe"
if [ -n "$had_display" ]; then
    quillon_wine "$exe" "$@"
    exit $?
fi

quillon_wine "$exe" "$@" </dev/null >/dev/null 2>&1 &
for i in $(seq 1 200); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Quillon"' && break
    sleep 0.1
done
# Let the first paint finish before the picture is taken.
for i in $(seq 1 20); do sleep 0.1; done
import -window root "$top/build/scrivo.png" && echo "screenshot: build/scrivo.png"
