#!/usr/bin/env bash
# Builds the Debian packages into build-package/ (or the build folder given as $1): sitewright
# and sitewright-dbg, named NAME_VERSION_ARCH.deb. Only what the packages ship is built (no
# tests, no benchmarks), and the same commit gives the same bytes in any folder: the source and
# build folders are mapped out of the programs, and every date in the packages (archive
# members, manual pages, embedded resources) is the last commit's.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}
scripts/install-deps.sh
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export QT_RCC_SOURCE_DATE_OVERRIDE=$SOURCE_DATE_EPOCH
# ccache's base folder hands the compiler relative names for sources under it, which then
# name the sources in the debug information instead of the mapped folders.
unset CCACHE_BASEDIR
# The web page ships beside the programs; it is built in a folder of its own inside this one.
scripts/build-web.sh "$dir/web-page" -DSITEWRIGHT_REPRODUCIBLE=ON
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSITEWRIGHT_BUILD_TESTS=OFF \
  -DSITEWRIGHT_BUILD_BENCH=OFF -DSITEWRIGHT_BUILD_FUZZ=OFF -DSITEWRIGHT_SANITIZE=OFF \
  -DSITEWRIGHT_REPRODUCIBLE=ON -DSITEWRIGHT_WEB_PAGE="$(realpath "$dir/web-page/web")" >/dev/null
# The dates are no dependency the build can see: a folder built for another commit's date
# starts clean.
if [[ $(cat "$dir/source-date-epoch" 2>/dev/null) != "$SOURCE_DATE_EPOCH" ]]; then
  cmake --build "$dir" --target clean
  echo "$SOURCE_DATE_EPOCH" >"$dir/source-date-epoch"
fi
cmake --build "$dir" -j "$(nproc)"
(cd "$dir" && cpack -G DEB)
