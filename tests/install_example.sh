#!/usr/bin/env bash
# Installs the libraries into a temporary prefix, then builds the example
# host against that install twice, through find_package and through
# pkg-config, and checks what it prints.
set -euo pipefail
build=$1
source=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

cmake -S "$source/examples" -B "$tmp/with-cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$tmp/with-cmake" >/dev/null
"$tmp/with-cmake/host" >"$tmp/cmake.out"
diff -u "$source/examples/host.expected" "$tmp/cmake.out"

libdir=$(dirname "$(find "$prefix" -name lumoria.pc)")/..
export PKG_CONFIG_PATH=$libdir/pkgconfig
cc -o "$tmp/host" "$source/examples/host.c" $(pkg-config --cflags --libs lumoria Quorvex)
LD_LIBRARY_PATH=$libdir "$tmp/host" >"$tmp/pkgconfig.out"
diff -u "$source/examples/host.expected" "$tmp/pkgconfig.out"

# The libraries carry their major version in their SONAME.
objdump -p "$libdir/liblumoria.so" | grep -q 'SONAME *liblumoria.so.0'
objdump -p "$libdir/libQuorvex.so" | grep -q 'SONAME *libQuorvex.so.0'
echo "install example: cmake and pkg-config builds agree"
