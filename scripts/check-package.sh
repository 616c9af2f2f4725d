#!/usr/bin/env bash
# Proves the Debian package on this machine: builds it, builds it again from a copy of the
# sources in another folder and compares the bytes, checks it with lintian and the desktop
# validators, installs it with dpkg, uses what it installed (the program on a virtual display,
# as an ordinary user made for the check and as root: Preview and Save to File by real clicks
# and keys; sitewright-gen, the manual pages, the bash completion), then purges it and checks
# that none of its files is left. Runs as root in CI, elsewhere through sudo. Whatever fails,
# the package and the check's user are removed again before the script ends.
#   scripts/check-package.sh [BUILD_FOLDER]   (build-package/ by default)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi

installed() { [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true) == "install ok installed" ]]; }
fail() { echo "check-package: $*" >&2; exit 1; }
step() { echo "== $*"; }

# Never replace or remove a Sitewright the machine's owner installed.
for p in sitewright sitewright-dbg; do
  if installed "$p"; then fail "$p is installed already; remove it first"; fi
done

# Both builds date everything from the same commit.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
scripts/package.sh "$dir"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb="$dir/sitewright_${version}_${arch}.deb"
dbg="$dir/sitewright-dbg_${version}_${arch}.deb"
[[ -f $deb && -f $dbg ]] || fail "no $deb or $dbg"

scratch=$(mktemp -d)
user=sitewright-check
made_user=""
# What a program writing beside itself would leave in /usr/bin; absent before the check, so
# whatever is there afterwards is the check's own.
strays=(/usr/bin/preview.html /usr/bin/snippet.html)
for f in "${strays[@]}"; do [[ ! -e $f ]] || fail "$f is there already; remove it first"; done
cleanup() {
  local status=$?
  $sudo dpkg --purge sitewright-dbg sitewright >/dev/null 2>&1 || true
  if [[ -n $made_user ]]; then $sudo userdel --remove "$user" 2>/dev/null || true; fi
  $sudo rm -f "${strays[@]}"
  $sudo rm -rf "$scratch"
  exit "$status"
}
trap cleanup EXIT

step "the same commit built in another folder gives the same bytes"
# The tracked and new files as they stand, so an uncommitted change is built in both places.
mkdir "$scratch/copy"
git ls-files -z --cached --others --exclude-standard |
  tar --null --ignore-failed-read -cf - -T - 2>/dev/null | tar -xf - -C "$scratch/copy"
"$scratch/copy/scripts/package.sh" "$scratch/copy/build-elsewhere" >"$scratch/second-build.log" 2>&1 ||
  { tail -n 30 "$scratch/second-build.log"; fail "the second build failed"; }
for f in "$deb" "$dbg"; do
  cmp "$f" "$scratch/copy/build-elsewhere/$(basename "$f")" || fail "$(basename "$f") differs"
done

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

dpkg-deb -x "$deb" "$scratch/root"
dpkg-deb -x "$dbg" "$scratch/root"

step "debug information of each program, by its build id, naming no build folder"
for program in "$scratch"/root/usr/bin/*; do
  id=$(readelf -n "$program" | sed -n 's/.*Build ID: //p')
  debug="$scratch/root/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug"
  [[ -n $id && -f $debug ]] || fail "sitewright-dbg lacks the debug information of $program"
  if grep -qaF -- "$PWD" "$program" "$debug"; then fail "$program names $PWD"; fi
done

step "desktop entry and AppStream data, as packaged"
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
  xprop -id "$id" WM_CLASS
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

step "the desktop entry's window class is the window's"
wm_class=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/com.example.Sitewright.desktop)
grep -qF "WM_CLASS(STRING) = \"sitewright\", \"$wm_class\"" "$scratch/window" ||
  fail "the window's class is not the desktop entry's StartupWMClass $wm_class"

# Runs inside a virtual display as the user the check is for: clicks Preview and Generate Code
# on the first page, saves the code with Ctrl+S under the name snippet.html in the folder the
# dialog offers, and reports what the browser was asked to open.
use_program() {
  /usr/bin/sitewright &
  local pid=$!
  local id code dialog address
  id=$(timeout 60 xdotool search --sync --onlyvisible --name '^Sitewright$' | head -n 1)
  # Page 1's Preview and Generate Code buttons, in the window's own coordinates.
  xdotool mousemove --window "$id" 228 224 click 1
  # Opened for reading and writing, the pipe cannot block the check when nothing is opened.
  read -r -t 30 address <>"$CHECK_DIR/opened" && echo "opened=$address"
  xdotool mousemove --window "$id" 477 224 click 1
  code=$(timeout 30 xdotool search --sync --onlyvisible --name '^Source Code$' | head -n 1)
  xdotool windowfocus --sync "$code" key ctrl+s
  dialog=$(timeout 30 xdotool search --sync --onlyvisible --name '^Save As$' | head -n 1)
  xdotool windowfocus --sync "$dialog" type --delay 20 snippet.html
  xdotool key Return
  # The dialog closes and the file appears; a refusal would leave an error box instead.
  timeout 30 bash -c 'until [[ -n $(find ~ "$CHECK_DIR" -name snippet.html) ]]; do sleep 0.1; done'
  kill "$pid"
  wait "$pid" || true
}

# Runs use_program as $1 with home $2 on a display of its own; the browser is a stand-in that
# passes the address it was given to the check through a pipe.
use_as() {
  local who=$1 home=$2 check
  check=$(mktemp -d "$scratch/use.XXXXXX")
  mkdir -p "$home/Documents" "$check/bin" "$check/runtime"
  printf '#!/bin/sh\nprintf "%%s\\n" "$1" >"%s/opened"\n' "$check" >"$check/bin/xdg-open"
  chmod 755 "$check/bin/xdg-open"
  mkfifo "$check/opened"
  chown -R "$who:" "$home/Documents" "$check"
  chmod 700 "$check/runtime"
  $sudo runuser -u "$who" -- env -i HOME="$home" USER="$who" LOGNAME="$who" \
    PATH="$check/bin:/usr/bin:/bin" XDG_RUNTIME_DIR="$check/runtime" CHECK_DIR="$check" \
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f use_program); use_program" \
    >"$scratch/use-$who"
  # Where Preview and Save to File must have written, and what.
  /usr/bin/sitewright-gen break-frames >"$scratch/expected"
  [[ $(cat "$scratch/use-$who") == "opened=$check/runtime/sitewright/preview.html" ]] ||
    fail "as $who, Preview opened $(cat "$scratch/use-$who") instead of its runtime folder's preview.html"
  cmp "$check/runtime/sitewright/preview.html" "$scratch/expected" || fail "as $who, the preview"
  cmp "$home/Documents/snippet.html" "$scratch/expected" ||
    fail "as $who, Save to File did not write the code into the documents folder"
}

step "Preview and Save to File as an ordinary user and as root"
chmod 711 "$scratch" # each user's folders inside it are their own
if getent passwd "$user" >/dev/null; then fail "a user $user exists already"; fi
$sudo useradd --create-home --user-group --shell /bin/bash "$user"
made_user=yes
touch "$scratch/before-use"
use_as "$user" "$(getent passwd "$user" | cut -d: -f6)"
mkdir "$scratch/root-home"
use_as root "$scratch/root-home"
# Nothing new in the folders the package installed into, and no preview anywhere under /usr
# but the web page's own, which the package installs.
mapfile -t folders < <(while read -r path; do [[ -d $path ]] && echo "$path"; done <"$scratch/installed")
written=$({
  find "${folders[@]}" /usr -maxdepth 0 -newer "$scratch/before-use"
  find /usr -name preview.html | grep -vxF -f "$scratch/installed"
} 2>/dev/null | paste -sd ' ' || true)
[[ -z $written ]] || fail "written under /usr: $written"
$sudo userdel --remove "$user" 2>/dev/null
made_user=""

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
# What bash-completion would load for the command, then "sitewright-gen book" and an option of
# the gadget's own beside one every gadget has.
completions=$(bash --norc --noprofile -c '
  source /usr/share/bash-completion/completions/sitewright-gen
  COMP_WORDS=(sitewright-gen book); COMP_CWORD=1; _sitewright_gen; echo "${COMPREPLY[@]}"
  COMP_WORDS=(sitewright-gen bookmark-us --s); COMP_CWORD=2; _sitewright_gen; echo "${COMPREPLY[@]}"')
[[ $completions == $'bookmark-us\n--site-name --stamp' ]] || fail "completion gave: $completions"

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
