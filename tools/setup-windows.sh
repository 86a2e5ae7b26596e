#!/usr/bin/env bash
# Installs what the Windows builds need: Debian's MinGW-w64 cross compilers,
# Wine (both halves: the 32-bit one needs the i386 architecture) and zip, and
# makes the Wine prefix. Needs root for what is missing; does nothing when
# all is there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

missing=()
for program in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix zip; do
  command -v $program >/dev/null || missing+=(${program%%-g++-posix})
done
[ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
[ -x /usr/lib/wine/wine ] || missing+=(wine32)
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing the Windows cross compilers and Wine"
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq -o DPkg::Lock::Timeout=600
  DEBIAN_FRONTEND=noninteractive apt-get install -o DPkg::Lock::Timeout=600 -y -qq --no-install-recommends \
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64 \
    wine wine64 wine32:i386 zip >/dev/null
fi
# The 32-bit half of Wine is a 32-bit x86 Linux program.
"$here/setup-32bit.sh"
"$here/../cmake/windows/wine-run.sh" init
