#!/usr/bin/env bash
# The test command: installs what is missing, then builds and runs every test three
# ways: in Release (the configuration that ships, including the Debian package),
# without the window (engine, library, session and zentavo-eval need no Qt
# Widgets), and in Debug under AddressSanitizer and UndefinedBehaviorSanitizer;
# then runs the engine fuzzer for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== build and test (Release)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== build and test without the window"
cmake -S . -B build-headless -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTAVO_BUILD_GUI=OFF
cmake --build build-headless -j "$jobs"
ctest --test-dir build-headless --output-on-failure -j "$jobs"

echo "== build and test under the sanitizers (Debug)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTAVO_SANITIZE=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

if [[ -f fuzz/run.sh ]]; then
  echo "== fuzz the engine"
  bash fuzz/run.sh 60
fi
echo "== all tests passed"
