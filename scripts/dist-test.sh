#!/usr/bin/env bash
# The installer under Wine in a fresh prefix (build/dist-prefix): a silent
# install with the associations, the installed product checked from inside
# (win_dist_tests.exe), a silent uninstall that leaves nothing behind.
# Screenshots for a person: build/dist-installer.png (the first page) and
# build/dist-installed.png (the editor started by its App Paths name).
set -uo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
export QUILLON_WINEPREFIX="$top/build/dist-prefix"
rm -rf "$QUILLON_WINEPREFIX"
source "$top/scripts/test-env.sh"
# No desktop entries on this machine for the associations the installer makes.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe="
quillon_environment_up || exit 1

version=$(sed -n 's/^project(Quillon VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
setup="$top/build/dist/Quillon-$version-setup.exe"
installed='C:\Program Files\Quillon'
folder="$QUILLON_WINEPREFIX/drive_c/Program Files/Quillon"
failed=0
fail() { echo "FAILED: $*"; failed=1; }
pass() { echo "ok: $*"; }

# Polls (at most the seconds given) until the command succeeds.
wait_until() {
    local limit=$1; shift
    local i
    for i in $(seq 1 $((limit * 10))); do "$@" && return 0; sleep 0.1; done
    return 1
}
window_shown() { xwininfo -root -tree 2>/dev/null | grep -q "$1"; }
handler() { quillon_wine reg query "HKLM\\Software\\Classes\\$1" /ve 2>/dev/null | tr -d '\r' | awk '/REG_SZ/{print $NF}'; }
html_handler() { handler .html; }

before=$(html_handler)
# A kind another program has: the uninstaller must give it back.
quillon_wine reg add 'HKLM\Software\Classes\.css' /ve /d cssfile /f </dev/null >/dev/null 2>&1

# The first page, as a user meets it.
quillon_wine "$setup" </dev/null >/dev/null 2>&1 &
installer=$!
if wait_until 60 window_shown "Quillon"; then
    sleep 1  # let the page paint before the picture
    import -window root "$top/build/dist-installer.png" && echo "screenshot: build/dist-installer.png"
else
    fail "the installer showed no window"
fi
quillon_wine taskkill /f /im "Quillon-$version-setup.exe" </dev/null >/dev/null 2>&1
wait "$installer"

if quillon_wine "$setup" /S /ASSOCIATE </dev/null >/dev/null 2>&1 && [ -f "$folder/Scrivo.exe" ]; then
    pass "silent install into $installed"
else
    fail "silent install"
fi
[ "$(html_handler)" = "Quillon.Document" ] && pass ".html opens in Quillon" || fail ".html is $(html_handler)"
[ "$(handler .css)" = "Quillon.Document" ] && pass ".css opens in Quillon" || fail ".css is $(handler .css)"

QUILLON_INSTALLED="$installed" quillon_wine "$top/build/win/tests/win_dist_tests.exe" </dev/null || fail "win_dist_tests"

# Started by its App Paths name, as Run or a shortcut would.
quillon_wine cmd /c start Scrivo.exe </dev/null >/dev/null 2>&1
if wait_until 60 window_shown "Quillon"; then
    sleep 1
    import -window root "$top/build/dist-installed.png" && echo "screenshot: build/dist-installed.png"
    pass "started by its App Paths name"
else
    fail "Scrivo.exe by its App Paths name"
fi
quillon_wine taskkill /im Scrivo.exe </dev/null >/dev/null 2>&1
wait_until 30 bash -c '! xwininfo -root -tree 2>/dev/null | grep -q "\"Quillon"' || quillon_wine taskkill /f /im Scrivo.exe </dev/null >/dev/null 2>&1

# The uninstaller copies itself away and returns at once: wait for its work.
quillon_wine "$folder/Uninstall.exe" /S </dev/null >/dev/null 2>&1
if wait_until 60 bash -c "[ ! -e \"$folder\" ]"; then pass "silent uninstall removed the program folder"
else fail "the program folder is still there: $(ls "$folder" 2>&1 | tr '\n' ' ')"; fi
if quillon_wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Scrivo.exe' </dev/null >/dev/null 2>&1
then fail "App Paths entry left"; else pass "App Paths entry removed"; fi
[ "$(html_handler)" = "$before" ] && pass ".html given back to '$before'" || fail ".html is '$(html_handler)', was '$before'"
[ "$(handler .css)" = "cssfile" ] && pass ".css given back to cssfile" || fail ".css is '$(handler .css)', was cssfile"
[ -e "$QUILLON_WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillon.lnk" ] &&
    fail "Start menu entry left" || pass "Start menu entry removed"

[ $failed = 0 ] && echo "dist-test: all passed" || echo "dist-test: FAILED"
exit $failed
