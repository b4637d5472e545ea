# Sourced by test.sh, run.sh and bench.sh: an X display (a private Xvfb when none
# is usable) and a persistent wineserver, both stopped again on exit.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

quillon_started_xvfb=""
quillon_display_up() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local n
    for n in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        quillon_started_xvfb=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 100); do
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$quillon_started_xvfb" 2>/dev/null || break
            sleep 0.1
        done
        kill "$quillon_started_xvfb" 2>/dev/null || true
        quillon_started_xvfb=""
    done
    echo "no X display could be started" >&2
    return 1
}

quillon_stop_all() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$quillon_started_xvfb" ]; then
        kill "$quillon_started_xvfb" 2>/dev/null || true
        wait "$quillon_started_xvfb" 2>/dev/null || true
    fi
}

quillon_environment_up() {
    quillon_display_up || return 1
    trap quillon_stop_all EXIT
    quillon_wine_prefix
    # A persistent server: each test program then starts in a fraction of a second.
    wineserver -p </dev/null >/dev/null 2>&1
    # Wine's own background processes (services, device drivers, the desktop
    # window) start with the first program and would inherit its output pipe,
    # which keeps CTest waiting for an end of output that never comes. Start
    # them here, detached from every pipe.
    quillon_wine wineboot </dev/null >/dev/null 2>&1
    quillon_wine "$top/build/win/tests/wine_warmup.exe" </dev/null >/dev/null 2>&1 || true
}
