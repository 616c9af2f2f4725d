#!/usr/bin/env bash
# Installs the Runtime component into a scratch prefix and checks it: exactly the files of
# dist/package-files.txt, none naming the build tree, the program still branded after the
# install, the desktop entry and AppStream data valid, the completion loadable by bash.
#   install_tree_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$scratch/usr" --component Runtime >"$scratch/log"
(cd "$scratch/usr" && find . -type f -o -type l | sed 's#^\./##' | sort) >"$scratch/files"
# The web page is built apart (scripts/build-web.sh) and installed only by a build given its
# folder, as the package build is.
web_page=$(sed -n 's/^SITEWRIGHT_WEB_PAGE:PATH=//p' "$build_dir/CMakeCache.txt")
if [[ -n $web_page ]]; then
  cp "$source_dir/dist/package-files.txt" "$scratch/expected"
else
  grep -v '^share/sitewright/web/' "$source_dir/dist/package-files.txt" >"$scratch/expected"
fi
diff -u "$scratch/expected" "$scratch/files" || fail "installed files differ"
if grep -rlF -- "$(realpath "$build_dir")" "$scratch/usr/share"; then
  fail "data files name the build tree"
fi

"$build_dir/sitewright-brand" list "$scratch/usr/bin/sitewright" >"$scratch/brand"
grep -q '^section JPG2: .* bytes of data' "$scratch/brand" || fail "no image section"
grep -q 'field 0: \[Sitewright\]' "$scratch/brand" || fail "no trailer"

desktop-file-validate "$scratch/usr/share/applications/com.example.Sitewright.desktop"
appstreamcli validate --no-net "$scratch/usr/share/metainfo/com.example.Sitewright.metainfo.xml" \
  >"$scratch/appstream" || { cat "$scratch/appstream"; fail "AppStream data"; }
words=$(bash --norc --noprofile -c '
  source "$0"; COMP_WORDS=(sitewright-gen set-h); COMP_CWORD=1; _sitewright_gen
  echo "${COMPREPLY[@]}"' "$scratch/usr/share/bash-completion/completions/sitewright-gen")
[[ $words == set-homepage ]] || fail "completion gave '$words'"
echo "PASS"
