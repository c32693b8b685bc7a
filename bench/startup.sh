#!/usr/bin/env bash
# The calculator's start-up as a user meets it: milliseconds from exec to the main
# window mapped, and resident memory once it has settled, on a virtual X server with
# a window manager. startup.sh [PROGRAM [OTHER]]: PROGRAM defaults to the release build
# (build-bench/app/zentavo, built first); with OTHER the two run in turns, one warm-up
# each, then 15 runs each, so both see the same machine. Prints every run and the
# medians. Not a test: it prints the figures and exits 0.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh build gui-tools
runs=15
settle_ms=700

programs=("$@")
if ((${#programs[@]} == 0)); then
  cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build build-bench --target zentavo -j "$(nproc)" >/dev/null
  programs=(build-bench/app/zentavo)
fi

work=$(mktemp -d)
cleanup() {
  kill "${wm_pid:-}" "${server_pid:-}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
g++ -std=c++20 -O2 -o "$work/startup_probe" bench/startup_probe.cpp -lX11

export DISPLAY=:87
Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
server_pid=$!
sleep 1
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1
# A settings directory of its own, so no earlier session's window state is read.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

for program in "${programs[@]}"; do "$work/startup_probe" "$settle_ms" "$program" >/dev/null; done
for ((run = 1; run <= runs; run++)); do
  for index in "${!programs[@]}"; do
    echo "$index $("$work/startup_probe" "$settle_ms" "${programs[$index]}")"
  done
done >"$work/runs"

for index in "${!programs[@]}"; do
  echo "${programs[$index]}:"
  awk -v i="$index" '$1 == i { printf " %s", $2 } END { print " ms" }' "$work/runs"
  awk -v i="$index" '$1 == i { printf " %.1f", $3 / 1024 } END { print " MB" }' "$work/runs"
  for column in 2 3; do
    awk -v i="$index" -v c="$column" '$1 == i { print $c }' "$work/runs" | sort -n |
      awk -v c="$column" '{ v[NR] = $1 } END {
        m = v[int((NR + 1) / 2)]
        if (c == 2) printf "  median %.1f ms to the window mapped\n", m
        else printf "  median %.1f MB resident after %s ms\n", m / 1024, '"$settle_ms"' }'
  done
done
