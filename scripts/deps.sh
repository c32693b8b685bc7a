#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Zentavo need.
# Checks each package with dpkg first, so a second run does no network work.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev fonts-dejavu-core
  clang libclang-rt-14-dev
  libmpfr-dev
  poppler-utils
  libmuparser-dev
)
if [[ "${1:-}" == "--gui-tools" ]]; then
  packages+=(xvfb xauth xdotool xclip imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1 || ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}"
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
