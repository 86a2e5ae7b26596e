#!/usr/bin/env bash
# Installs what the WebAssembly build and its tests need: Debian's emscripten,
# chromium (the tests drive the system's browser; nothing downloads one) and
# libstb-dev (the PNG codec compiled into the module), and the npm packages
# of web/package-lock.json in web/node_modules. Needs root for what is
# missing; does nothing when all is there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

missing=()
command -v emcc >/dev/null || missing+=(emscripten)
command -v chromium >/dev/null || missing+=(chromium)
[ -f /usr/include/stb/stb_image.h ] && [ -f /usr/include/stb/stb_image_write.h ] || missing+=(libstb-dev)
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing ${missing[*]} for the WebAssembly build"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
command -v node >/dev/null || { echo "node is missing: apt-get install nodejs"; exit 1; }

web="$here/../web"
if [ ! -f "$web/node_modules/.package-lock.json" ] ||
   [ "$web/package-lock.json" -nt "$web/node_modules/.package-lock.json" ]; then
  echo "installing the test's npm packages in web/node_modules"
  (cd "$web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error >/dev/null)
fi
