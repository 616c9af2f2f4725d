#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $1, with extra CMake options after it).
# Compiles through ccache: the test, sanitizer, fuzz and bench builds each rebuild the whole tree
# in a folder of their own, and a clean clone would otherwise compile every unchanged file again.
# Names are hashed relative to the sources, so any clone anywhere shares the cache.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
source scripts/compiler-cache.sh
cmake -S . -B "$dir" -G Ninja "${compiler_cache[@]}" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
