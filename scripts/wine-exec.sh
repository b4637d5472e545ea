#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix (CTest's emulator).
source "$(dirname "$0")/wine-env.sh"
exec env LC_ALL=ru_RU.UTF-8 "$QUILLON_WINE" "$@"
