#!/usr/bin/env bash
# Builds the web page into build-web/web/ (or FOLDER/web/, with extra CMake options after it):
# the generators compiled to WebAssembly with Debian's emscripten, and the page that drives
# them. Installs what is missing first, emscripten included.
#   scripts/build-web.sh [FOLDER [CMAKE_OPTION]...]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# Debian's emscripten runs its JavaScript optimizer on the machine's Node.js, which finds the
# parser that optimizer needs only among Debian's Node modules.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
dir=${1:-build-web}
shift || true
emcmake cmake -S web -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
echo "The page: $dir/web/index.html"
