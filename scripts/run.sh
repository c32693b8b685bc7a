#!/usr/bin/env bash
# Installs what is missing, builds the program (Release, without tests, in build-run/:
# the calculator, zentavo-eval and everything `cmake --install build-run` installs)
# and starts the calculator. Needs a graphical session (X11 or Wayland); without
# one it says how to use Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh build

cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-run -j "$(nproc)"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  cat >&2 <<'MSG'
Zentavo is built (build-run/app/zentavo) but there is no display to show it on:
neither DISPLAY nor WAYLAND_DISPLAY is set.

Start it from a desktop session, or on a virtual X server:
  apt-get install -y --no-install-recommends xvfb xauth    # or: bash scripts/deps.sh gui-tools
  xvfb-run -a -s "-screen 0 1024x768x24" build-run/app/zentavo
MSG
  exit 2
fi

exec build-run/app/zentavo
