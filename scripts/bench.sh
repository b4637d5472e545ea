#!/usr/bin/env bash
# Runs the benchmarks under Wine; the figures go to standard output.
set -uo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/scripts/test-env.sh"
quillon_environment_up || exit 1
echo "== loading: raw read, bare stream, our load path"
quillon_wine "$top/build/win/bench/load_bench.exe" "$@"
echo "== the editor: opening a document, and a caret move at its end"
quillon_wine "$top/build/win/bench/editor_bench.exe" "$@"
echo "== a megabyte on one line: opened by its kind (word wrap) against unwrapped"
quillon_wine "$top/build/win/bench/long_line_bench.exe"
echo "== switching between a large and a small document, both maximized"
quillon_wine "$top/build/win/bench/switch_bench.exe" "$@"
echo "== macros in a large document: Ctrl+K B at its end, Bold around 1 MB"
quillon_wine "$top/build/win/bench/macro_bench.exe" "$@"
echo "== a desktop of 30 documents restored, against opening them by copy-data"
quillon_wine "$top/build/win/bench/desktop_bench.exe"
echo "== window management at 200 documents"
quillon_wine "$top/build/win/bench/windows_bench.exe"
echo "== start-up with the cool bar against no pictures; 50 names handed to a running editor by Relay, against one copy-data message"
quillon_wine "$top/build/win/bench/process_bench.exe"
echo "== the document window's text operations on 5 MB"
quillon_wine "$top/build/win/bench/editing_bench.exe"
