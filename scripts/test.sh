#!/usr/bin/env bash
# Runs every test: the native tests and the Windows tests under Wine, as one
# CTest run over both build trees so that its summary is the last line.
set -uo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/scripts/test-env.sh"
quillon_environment_up || exit 1

cat > "$top/build/CTestTestfile.cmake" <<CTEST
subdirs("native" "win")
CTEST
cd "$top/build"
ctest --output-on-failure --timeout 600 -j1 "$@"
