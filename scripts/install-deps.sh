#!/usr/bin/env bash
# Installs the build and test tools that are missing. Safe to run again: when
# everything is present it only checks and returns.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake                          || need+=(cmake)
have g++                            || need+=(g++)
have make                           || need+=(make)
# The fuzz targets: clang with libFuzzer and the sanitizers.
have clang++                        || need+=(clang)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-dev)
have x86_64-w64-mingw32-g++-posix   || need+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
have x86_64-w64-mingw32-windres     || need+=(binutils-mingw-w64-x86-64)
have wine                           || need+=(wine wine64)
have wineserver || [ -x /usr/lib/wine/wineserver ] || [ -x /usr/lib/wine/wineserver64 ] || need+=(wine64)
have Xvfb                           || need+=(xvfb xauth)
have import                         || need+=(imagemagick)
have xdpyinfo                       || need+=(x11-utils)
# Wine's own fonts (window buttons, Cyrillic user-interface text) and metric
# equivalents of Courier New and Arial.
[ -d /usr/share/wine/fonts ] && ls /usr/share/wine/fonts/marlett* >/dev/null 2>&1 || need+=(fonts-wine)
[ -d /usr/share/fonts/truetype/liberation ] || need+=(fonts-liberation)
[ -f /usr/src/googletest/CMakeLists.txt ]  || need+=(googletest)
[ -f /usr/include/gtest/gtest.h ]          || need+=(libgtest-dev)

# Wine runs in ru_RU.UTF-8: the code pages come from the name, but file names
# with Cyrillic letters need the locale itself to exist on the host.
have locale-gen                     || need+=(locales)
ru_locale() { locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; }

# The download (make dist) also needs NSIS and zip.
if [ "${1:-}" = dist ]; then
    have makensis                   || need+=(nsis)
    have zip                        || need+=(zip)
fi

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#need[@]} -gt 0 ]; then
    echo "installing: ${need[*]}"
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
fi
if ! ru_locale; then
    echo "generating the ru_RU.UTF-8 locale"
    if ! grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
    $SUDO locale-gen >/dev/null
fi
