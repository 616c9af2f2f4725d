#!/usr/bin/env bash
# Fails when a C or C++ file of the project is not laid out as the root .clang-format says;
# `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
