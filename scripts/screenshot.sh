#!/usr/bin/env bash
# Takes the README's picture of the main window, assets/screenshot-main.png (or the file given as
# $1): builds the program, starts it on a virtual X display and captures its window.
# A developer's tool, not part of the build or the tests: it installs what it alone needs
# (ImageMagick, xdotool) when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-assets/screenshot-main.png}")

missing=()
for p in imagemagick xdotool xvfb xauth; do
  [[ $(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true) == "install ok installed" ]] ||
    missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

scripts/install-deps.sh
scripts/build.sh build

# Runs inside the virtual display: start, wait for the window, let it paint, capture, stop.
capture() {
  build/sitewright &
  local pid=$!
  local id
  id=$(xdotool search --sync --onlyvisible --name '^Sitewright$' | head -n 1)
  sleep 1 # the window is mapped before its first paint reaches the screen
  import -window "$id" "$out"
  kill "$pid"
}
# xvfb-run is a sh script and drops exported functions, so the function travels as text.
export out
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f capture); capture"
echo "Wrote $out"
