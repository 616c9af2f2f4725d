#!/usr/bin/env bash
# Reads the three programs and their built manual pages as a user and man-db would: --version is
# one line of name and project version, -h is --help; each page renders without a warning,
# lexgrog finds its NAME line, it has the sections a manual page of a command needs in their
# order, its SYNOPSIS holds every usage form of --help and nothing else, and its OPTIONS name
# every option --help lists.
#   man_pages_test.sh BUILD_DIR VERSION
set -euo pipefail
build_dir=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The text between the heading $2 and the next heading of the rendered page $1.
section() { awk -v s="$2" '/^[A-Z]/ { on = ($0 == s); next } on' "$1"; }

check_program() {
  local name=$1 program=$2 page=$build_dir/man/$1.1.gz
  [[ $("$program" --version) == "$name $version" ]] || fail "$name --version"
  [[ $("$program" --version | wc -l) == 1 ]] || fail "$name --version is not one line"
  "$program" --help >"$scratch/help"
  "$program" -h | cmp -s - "$scratch/help" || fail "$name -h differs from --help"

  lexgrog "$page" | grep -qF "\"$name - " || fail "lexgrog finds no NAME in $page"
  MANWIDTH=200 man --warnings -l "$page" 2>"$scratch/warnings" >"$scratch/page"
  [[ ! -s $scratch/warnings ]] || { cat "$scratch/warnings"; fail "$page renders with warnings"; }
  grep -E '^[A-Z][A-Z ]+$' "$scratch/page" >"$scratch/headings"
  grep -xE 'NAME|SYNOPSIS|DESCRIPTION|OPTIONS|EXIT STATUS|FILES|EXAMPLES' "$scratch/headings" |
    paste -sd, >"$scratch/order"
  [[ $(cat "$scratch/order") == "NAME,SYNOPSIS,DESCRIPTION,OPTIONS,EXIT STATUS,FILES,EXAMPLES" ]] ||
    fail "$page has the sections $(cat "$scratch/order")"

  # Usage forms: the "Usage:" line and its "or:" lines, as words.
  sed -nE "s/^(Usage|  or): +//p" "$scratch/help" | tr -s ' ' >"$scratch/usage"
  # The blank line that ends the section is the only one it may hold.
  section "$scratch/page" SYNOPSIS | sed -E 's/^ +//; ${/^$/d}' | tr -s ' ' >"$scratch/synopsis"
  diff -u "$scratch/usage" "$scratch/synopsis" || fail "$page: SYNOPSIS is not the usage of --help"
  if section "$scratch/page" DESCRIPTION | grep -E "^ *(or: +)?$name( |$)"; then
    fail "$page: a usage form ran into DESCRIPTION"
  fi
  section "$scratch/page" OPTIONS >"$scratch/options"
  for option in $(sed -n '/^Options:/,$p' "$scratch/help" | grep -oE '(^| )--?[a-z][a-z-]*'); do
    grep -qF -- "$option" "$scratch/options" || fail "$page: OPTIONS lacks $option"
  done
}

check_program sitewright "$build_dir/sitewright-plain"
check_program sitewright-gen "$build_dir/sitewright-gen"
check_program sitewright-brand "$build_dir/sitewright-brand"
echo "PASS"
