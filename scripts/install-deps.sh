#!/usr/bin/env bash
# Installs, from Debian 12's packages, whatever the build, the program and the tests need and
# the machine does not have yet. Safe to run again: it installs nothing when all is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
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
  chromium python3
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
