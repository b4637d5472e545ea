#!/usr/bin/env bash
# Checks that a DLL exports exactly the given names at the given ordinals.
# Usage: check_exports.sh OBJDUMP DLL NAME=ORDINAL...
set -u
objdump="$1"; dll="$2"; shift 2
table=$("$objdump" -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^[ \t]*\[/{print} on && /^$/{exit}')
# objdump lists ordinals relative to the ordinal base; read the base to make them absolute.
base=$("$objdump" -p "$dll" | awk '/^Ordinal Base/{print $3}')
actual=$(echo "$table" | awk -v b="${base:-1}" '{gsub(/[][+]/," "); print $2"="($1+b)}' | sort)
expected=$(printf '%s\n' "$@" | sort)
if [ "$actual" != "$expected" ]; then
    echo "exports of $dll differ"; echo "expected:"; echo "$expected"; echo "actual:"; echo "$actual"
    exit 1
fi
echo "exports of $(basename "$dll"): $(echo $actual)"
