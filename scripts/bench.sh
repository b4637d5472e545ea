#!/usr/bin/env bash
# Runs the benchmarks under Wine; the figures go to standard output.
set -uo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/scripts/test-env.sh"
quillon_environment_up || exit 1
quillon_wine "$top/build/win/bench/load_bench.exe" "$@"
