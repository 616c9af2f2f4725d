#!/usr/bin/env bash
# Takes the README's picture of the main window, assets/screenshot-main.png (or the file given as
# $1): builds the program, starts it on a virtual X display under a window manager (Openbox) and
# captures its window. With --frame as $2 the picture includes the window manager's title bar.
# (`xprop -id <window> _NET_WM_ALLOWED_ACTIONS` on that display lists what the manager lets the
# user do with the window: for the main window neither maximise nor resize.)
# A developer's tool, not part of the build or the tests: it installs what it alone needs
# (ImageMagick, xdotool, Openbox) when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-assets/screenshot-main.png}")
frame=""
if [[ "${2:-}" == "--frame" ]]; then frame="-frame"; fi

missing=()
for p in imagemagick xdotool xvfb xauth openbox; do
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

# Runs inside the virtual display: start the window manager and the program, wait for the
# window, let it paint, capture, stop both.
capture() {
  openbox &
  local wm=$!
  sleep 1 # a window mapped before the manager runs would get no frame
  build/sitewright &
  local pid=$!
  local id
  id=$(xdotool search --sync --onlyvisible --name '^Sitewright$' | head -n 1)
  sleep 1 # the window is mapped before its first paint reaches the screen
  import $frame -window "$id" "$out"
  kill "$pid" "$wm"
}
# xvfb-run is a sh script and drops exported functions, so the function travels as text.
export out frame
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f capture); capture"
echo "Wrote $out"
