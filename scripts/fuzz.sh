#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ (no Qt needed) and runs each for N
# seconds (default 60) from seeds cut out of a branded image and small pictures of every colour
# space. Usage: scripts/fuzz.sh [SECONDS]
# A failing input (crash-*, leak-*, timeout-*, oom-*) is left in build-fuzz/findings/<target>/:
# save it under tests/branding/fuzz_regressions/<target>/<what it shows> to keep it as a
# regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
dir=build-fuzz
source scripts/compiler-cache.sh
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja "${compiler_cache[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSITEWRIGHT_WITH_QT=OFF -DSITEWRIGHT_BUILD_TESTS=OFF -DSITEWRIGHT_BUILD_BENCH=OFF \
  -DSITEWRIGHT_BUILD_FUZZ=ON -DSITEWRIGHT_SANITIZE=ON >/dev/null
cmake --build "$dir" -j 2 >"$dir/build.log" || { cat "$dir/build.log"; exit 1; }

rm -rf "$dir/seeds"
"$dir/fuzz_make_seeds" assets/branding.jpg "$dir/seeds"
# Pages for the site check: each gadget's classic snippet, and a stamped one.
mkdir -p "$dir/seeds/find_snippets" tests/branding/fuzz_regressions/find_snippets
for id in $("$dir/sitewright-gen" --list | cut -d' ' -f1); do
  "$dir/sitewright-gen" "$id" >"$dir/seeds/find_snippets/$id.html"
  "$dir/sitewright-gen" "$id" --stamp --edition today >"$dir/seeds/find_snippets/$id.today.html"
done
for target in extract_section read_trailer split_fields decode_jpeg list_sections append_section \
              recipe find_snippets program_image; do
  corpus="$dir/corpus/$target"
  findings="$dir/findings/$target"
  mkdir -p "$corpus" "$findings"
  log="$dir/fuzz_$target.log"
  echo "== fuzz_$target for ${seconds}s"
  status=0
  "$dir/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1 \
    "$corpus" "$dir/seeds/$target" "tests/branding/fuzz_regressions/$target" >"$log" 2>&1 ||
    status=$?
  # libFuzzer separates the run count from DONE with a tab.
  grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)' \
    "$log" || true
  # libFuzzer names what it saves after what went wrong; a leak, found by the sanitizer build,
  # fails the run as much as a crash does.
  if compgen -G "$findings/crash-*" >/dev/null || compgen -G "$findings/leak-*" >/dev/null ||
     compgen -G "$findings/timeout-*" >/dev/null || compgen -G "$findings/oom-*" >/dev/null; then
    echo "fuzz_$target found a failing input in $findings" >&2
    exit 1
  fi
  # A target that could not run at all (a missing corpus folder, say) must not pass quietly.
  if [[ $status -ne 0 ]]; then
    echo "fuzz_$target ended with status $status; its output is in $log" >&2
    exit 1
  fi
done
