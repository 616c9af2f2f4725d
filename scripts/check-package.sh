#!/usr/bin/env bash
# Proves the Debian package on this machine: builds it, checks it with lintian and the desktop
# validators, installs it with dpkg, uses what it installed (the program on a virtual display,
# sitewright-gen, the manual pages, the bash completion), then purges it and checks that none
# of its files is left. Runs as root in CI, elsewhere through sudo. Whatever fails, the package
# is removed again before the script ends.
#   scripts/check-package.sh [BUILD_FOLDER]   (build/ by default)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi

installed() { [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true) == "install ok installed" ]]; }
fail() { echo "check-package: $*" >&2; exit 1; }
step() { echo "== $*"; }

# Never replace or remove a Sitewright the machine's owner installed.
for p in sitewright sitewright-dbg; do
  if installed "$p"; then fail "$p is installed already; remove it first"; fi
done

scripts/package.sh "$dir"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb="$dir/sitewright_${version}_${arch}.deb"
dbg="$dir/sitewright-dbg_${version}_${arch}.deb"
[[ -f $deb && -f $dbg ]] || fail "no $deb or $dbg"

scratch=$(mktemp -d)
cleanup() {
  local status=$?
  $sudo dpkg --purge sitewright-dbg sitewright >/dev/null 2>&1 || true
  rm -rf "$scratch"
  exit "$status"
}
trap cleanup EXIT

step "lintian"
lintian --fail-on error "$deb" "$dbg" 2>&1 | tee "$scratch/lintian"

step "the package's files"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#; s#/$##' | sort >"$scratch/contents"
# The same list the install test checks, under the package's /usr.
mapfile -t expected < <(sed 's#^#/usr/#' dist/package-files.txt)
for f in "${expected[@]}"; do
  grep -qx -- "$f" "$scratch/contents" || fail "the package lacks $f"
done
if grep -v '^/usr\(/\|$\)' "$scratch/contents"; then fail "files outside /usr"; fi
if grep -F -- "$(realpath "$dir")" "$scratch/contents"; then fail "build-tree paths"; fi
dpkg-deb -c "$dbg" >"$scratch/dbg-contents"
grep -q '/usr/lib/debug/.build-id/../.*\.debug$' "$scratch/dbg-contents" ||
  fail "sitewright-dbg holds no debug information"

step "desktop entry and AppStream data, as packaged"
dpkg-deb -x "$deb" "$scratch/root"
desktop-file-validate "$scratch/root/usr/share/applications/com.example.Sitewright.desktop"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/com.example.Sitewright.metainfo.xml"

step "dpkg -i"
$sudo dpkg -i "$deb" "$dbg"
dpkg -L sitewright sitewright-dbg | sort -u >"$scratch/installed"

step "sitewright on a virtual display"
# Inside the display: the window must show under its branded title and carry the icon; then
# the program's own branding dump reports the title, link and image it put on the window.
on_display() {
  /usr/bin/sitewright &
  local pid=$!
  local id
  id=$(timeout 60 xdotool search --sync --onlyvisible --name '^Sitewright$' | head -n 1)
  [[ -n $id ]] || { echo "no window"; kill "$pid"; return 1; }
  xwininfo -id "$id" | grep -E 'Width|Height'
  xprop -id "$id" _NET_WM_ICON | grep -q 'Icon (16 x 16)' || { echo "no icon"; kill "$pid"; return 1; }
  kill "$pid"
  wait "$pid" || true
  SITEWRIGHT_DUMP_BRANDING=1 timeout 60 /usr/bin/sitewright
}
mkdir -m 700 "$scratch/runtime"
XDG_RUNTIME_DIR="$scratch/runtime" xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f on_display); on_display" |
  tee "$scratch/window"
for line in 'windowTitle=[Sitewright]' 'Label56=[Sitewright]' 'visible=[1]' \
  'lblTextLink=[Visit the Sitewright web site]' 'imgSBIMG=[400x50]'; do
  grep -qxF -- "$line" "$scratch/window" || fail "the installed program did not show $line"
done

step "sitewright-gen and sitewright-brand"
/usr/bin/sitewright-gen --list >"$scratch/list"
grep -q '^bookmark-us ' "$scratch/list" || fail "sitewright-gen --list"
/usr/bin/sitewright-brand list /usr/bin/sitewright >"$scratch/brand"
grep -q '^section JPG2' "$scratch/brand" || fail "the installed sitewright carries no image"

step "manual pages"
for page in sitewright sitewright-gen sitewright-brand; do
  MANPAGER=cat MANWIDTH=80 man "$page" >"$scratch/man" 2>/dev/null
  grep -q "^NAME" "$scratch/man" || fail "man $page"
done
MANPAGER=cat MANWIDTH=80 man sitewright-gen >"$scratch/man" 2>/dev/null
grep -q -- "--site-name=VALUE" "$scratch/man" || fail "man sitewright-gen lists no gadget options"

step "bash completion"
# What bash-completion would load for the command, then a completion of "sitewright-gen book".
completions=$(bash --norc --noprofile -c '
  source /usr/share/bash-completion/completions/sitewright-gen
  COMP_WORDS=(sitewright-gen book); COMP_CWORD=1; _sitewright_gen; echo "${COMPREPLY[@]}"
  COMP_WORDS=(sitewright-gen bookmark-us --s); COMP_CWORD=2; _sitewright_gen; echo "${COMPREPLY[@]}"')
[[ $completions == $'bookmark-us\n--site-name' ]] || fail "completion gave: $completions"

step "dpkg --purge leaves nothing behind"
$sudo dpkg --purge sitewright-dbg sitewright
left=()
while read -r path; do
  [[ -e $path && ! -d $path ]] && left+=("$path")
  # Folders of the package's own, not shared ones like /usr/bin.
  [[ -d $path && $path == */sitewright* ]] && left+=("$path")
done <"$scratch/installed"
((${#left[@]} == 0)) || fail "left after purge: ${left[*]}"
echo "check-package: all checks passed"
