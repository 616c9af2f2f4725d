#!/usr/bin/env bash
# Installs, from Debian 12's packages, whatever the build, the program and the tests need and
# the machine does not have yet. Safe to run again: it installs nothing when all is there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev nlohmann-json3-dev libgumbo-dev
  fonts-liberation fonts-lato
  xdg-utils
  libxcb1-dev
  xvfb xauth xdotool
  valgrind
  clang libclang-rt-14-dev clang-format
  dpkg-dev help2man man-db lintian desktop-file-utils appstream x11-utils
  chromium python3 nodejs
  emscripten
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

# Debian's nodejs comes without npm, which its own package adds; a Node.js from elsewhere
# brings npm along, and Debian's npm package would fight it.
command -v npm >/dev/null 2>&1 || missing+=(npm)

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The browser tests' npm packages, exactly as the lock file pins them.
if ! cmp -s tests/browser/package-lock.json tests/browser/node_modules/.installed-lock.json; then
  npm ci --prefix tests/browser --no-audit --no-fund --loglevel=error
  cp tests/browser/package-lock.json tests/browser/node_modules/.installed-lock.json
fi
