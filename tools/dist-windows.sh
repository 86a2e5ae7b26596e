#!/usr/bin/env bash
# Packs the Windows builds: dist-windows.sh BUILD-WIN32 BUILD-WIN64 writes
# dist/lumoria-VERSION-win32.zip and -win64.zip, each with the two DLLs,
# their import libraries, the headers, README-windows.txt and the checksum
# that every build's test prints.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(lumoria VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
checksum=$(sed -n 's/^constexpr uint64_t kShared = \(0x[0-9a-fA-F]*\);.*/\1/p' \
  "$root/tests/checksum_test.cc")
sine=$(sed -n 's/^constexpr uint64_t kSine = \(0x[0-9a-fA-F]*\);.*/\1/p' "$root/tests/checksum_test.cc")
[ -n "$version" ] && [ -n "$checksum" ] && [ -n "$sine" ] ||
  { echo "version or checksums not found" >&2; exit 1; }

mkdir -p "$root/dist"
for build in "$@"; do
  arch=$(basename "$build" | sed 's/^build-//')
  name=lumoria-$version-$arch
  stage=$(mktemp -d)
  mkdir -p "$stage/$name/include" "$stage/$name/lib"
  case $arch in win32) strip=i686-w64-mingw32-strip ;; *) strip=x86_64-w64-mingw32-strip ;; esac
  for dll in lumoria.dll Quorvex.dll; do
    $strip --strip-unneeded -o "$stage/$name/$dll" "$build/$dll"
  done
  cp "$build/lumoria.dll.a" "$build/Quorvex.dll.a" "$stage/$name/lib/"
  cp "$root/include/lumoria.h" "$root/include/Quorvex.h" "$stage/$name/include/"
  sed -e "s/@VERSION@/$version/g" -e "s/@ARCH@/$arch/g" -e "s/@CHECKSUM@/$checksum/g" -e "s/@SINE@/$sine/g" \
    "$root/cmake/windows/README-windows.txt" | sed 's/$/\r/' >"$stage/$name/README-windows.txt"
  printf 'shared %s\nripples %s\n' "$checksum" "$sine" >"$stage/$name/checksum.txt"
  rm -f "$root/dist/$name.zip"
  (cd "$stage" && zip -qr -X "$root/dist/$name.zip" "$name")
  rm -rf "$stage"
  echo "dist/$name.zip"
done
