#!/usr/bin/env bash
# Runs every fuzz target of the native build for the given number of inputs,
# each from a fresh seed corpus, and reports how long each took.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-10000000}"
fuzz="$top/build/native/fuzz"
for target in "$fuzz"/*_fuzz; do
    [ -x "$target" ] || continue
    name="$(basename "$target")"
    echo "== $name: $runs inputs"
    start=$(date +%s)
    cmake -DFUZZER="$target" -DSEEDS="$top/build/native/make_seeds" -DCORPUS="$fuzz/$name-corpus" -DRUNS="$runs" \
        -P "$top/tests/fuzz/run_fuzz.cmake" 2>&1 | grep -E "^(stat::|Done|==.*ERROR|SUMMARY)" || true
    echo "   $(( $(date +%s) - start )) s"
done
