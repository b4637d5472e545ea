#!/usr/bin/env bash
# The download: build/dist/Quillon-<version>-win64.zip (the seven binaries and a
# read-me) and build/dist/Quillon-<version>-setup.exe (NSIS, 64-bit).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
version=$(sed -n 's/^project(Quillon VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
bin="$top/build/win/bin"
dist="$top/build/dist"
binaries=(Scrivo.exe Relay.exe Assist.dll Filebox.dll Toolbars.dll Template.dll Stencil.dll)
for b in "${binaries[@]}"; do
    [ -f "$bin/$b" ] || { echo "missing $bin/$b (make win first)" >&2; exit 1; }
done
rm -rf "$dist" && mkdir -p "$dist/stage/Quillon"

# The read-me in Windows form: UTF-8 with a byte order mark, CR LF.
readme="$dist/stage/Quillon/README.txt"
{ printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/g" "$top/installer/README.txt" | sed 's/$/\r/'; } > "$readme"
# Without the debugging information the build keeps for its own use.
strip=$(command -v x86_64-w64-mingw32-strip || echo strip)
for b in "${binaries[@]}"; do
    cp "$bin/$b" "$dist/stage/Quillon/"
    "$strip" --strip-debug "$dist/stage/Quillon/$b"
done

# The same bytes from the same tree: fixed times, a fixed order, no extra fields.
stamp=$(git -C "$top" log -1 --format=%ct 2>/dev/null || echo 1796947200)
find "$dist/stage" -exec touch -h -d "@$stamp" {} +
zipfile="$dist/Quillon-$version-win64.zip"
(cd "$dist/stage" && printf '%s\n' Quillon Quillon/README.txt $(printf 'Quillon/%s\n' "${binaries[@]}" | sort) |
    TZ=UTC zip -X -q -9 "$zipfile" -@)

setup="$dist/Quillon-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DBIN="$dist/stage/Quillon" -DREADME="$readme" \
    -DICON="$top/build/win/generated/toolbars/mainicon.ico" -DOUTFILE="$setup" \
    "$top/installer/quillon.nsi"
rm -rf "$dist/stage"
echo "built: build/dist/$(basename "$zipfile")"
echo "built: build/dist/$(basename "$setup")"
