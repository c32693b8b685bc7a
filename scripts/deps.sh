#!/usr/bin/env bash
# Installs the Debian packages that Zentavo needs, by purpose:
#   deps.sh build      building and running the program (Release, no tests)
#   deps.sh test       everything scripts/test.sh needs (the default)
#   deps.sh bench      the benchmarks against muparser and mawk (gawk reads objdump,
#                      time measures compile memory)
#   deps.sh gui-tools  Xvfb, openbox, xdotool, xclip and ImageMagick, to look at the window
#                      (and Xlib's headers for bench/startup.sh's probe)
# Several purposes may be named. Checks each package with dpkg first, so a second
# run does no network work.
set -euo pipefail

build=(cmake ninja-build g++ pkg-config gzip libmpfr-dev nlohmann-json3-dev qt6-base-dev qt6-charts-dev qt6-svg-dev
       libqt6opengl6-dev
       qt6-qpa-plugins fonts-dejavu-core)
test=(libgtest-dev libgmock-dev clang clang-format libclang-rt-14-dev poppler-utils
      desktop-file-utils appstream dpkg-dev file)
bench=(libbenchmark-dev libmuparser-dev mawk gawk time)
gui_tools=(xvfb xauth xdotool xclip imagemagick openbox libx11-dev)

packages=()
for purpose in "${@:-test}"; do
  case "$purpose" in
    build) packages+=("${build[@]}") ;;
    test) packages+=("${build[@]}" "${test[@]}") ;;
    bench) packages+=("${build[@]}" "${bench[@]}") ;;
    gui-tools) packages+=("${gui_tools[@]}") ;;
    *) echo "deps.sh: unknown purpose '$purpose' (build, test, bench, gui-tools)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
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
