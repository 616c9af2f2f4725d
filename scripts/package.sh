#!/usr/bin/env bash
# Builds the Debian packages into build/ (or the build folder given as $1): sitewright and
# sitewright-dbg, named NAME_VERSION_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
scripts/install-deps.sh
scripts/build.sh "$dir"
(cd "$dir" && cpack -G DEB)
