#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   scripts/test.sh              the normal build, in build/
#   scripts/test.sh --sanitize   the same tests but the browser's, built with address and
#                                undefined-behaviour sanitizers, in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if [[ "${1:-}" == "--sanitize" ]]; then
  scripts/build.sh build-asan -DSITEWRIGHT_SANITIZE=ON -DSITEWRIGHT_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
  # The browser tests judge what Chromium does with the snippets and the web page's module;
  # the sanitized code they pass through is the generators', which the other tests run under
  # the sanitizers with the same hostile values.
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)" -LE browser
else
  # The benchmarks are built and run by scripts/bench.sh in a tree of their own.
  scripts/build.sh build -DSITEWRIGHT_BUILD_BENCH=OFF
  ctest --test-dir build --output-on-failure -j "$(nproc)"
fi
