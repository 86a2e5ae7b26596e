#!/usr/bin/env bash
# Runs a Windows program under Wine, headless and quiet:
#   wine-run.sh win32|win64 PROGRAM [ARGS...]
#   wine-run.sh init            creates the Wine prefix (once, about a minute)
# The prefix lives outside the tree and is shared by every build.
set -euo pipefail
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/lumoria-wine}
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers
unset DISPLAY
# Where the kernel runs no 32-bit x86 programs, the 32-bit half of Wine runs
# under qemu-user (tools/setup-32bit.sh); Wine needs room below 3 GiB there.
export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0xc0000000}

case ${1:-} in
  init)
    mkdir -p "$(dirname "$WINEPREFIX")"
    [ -f "$WINEPREFIX/system.reg" ] || /usr/lib/wine/wine64 wineboot -i
    exit 0 ;;
  win32) loader=/usr/lib/wine/wine ;;
  win64) loader=/usr/lib/wine/wine64 ;;
  *) echo "usage: $0 win32|win64 PROGRAM [ARGS...] | init" >&2; exit 2 ;;
esac
shift
exec "$loader" "$@"
