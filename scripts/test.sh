#!/usr/bin/env bash
# The test command: installs what is missing, checks the house rules (the layers'
# include rules and the code's format), then builds and runs every test three ways:
# in Release (the configuration that ships, including the Debian package), without
# the window (engine, library, session and zentavo-eval need no Qt Widgets), and in
# Debug under AddressSanitizer and UndefinedBehaviorSanitizer;
# then the accuracy sweep built for x86-64-v3, and the engine fuzzer for a bounded
# time.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== house rules"
bash scripts/check_layers.sh
bash scripts/check_format.sh

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

# A packager's flags for newer processors must not change a single result: the
# accuracy sweep built as for x86-64-v3 (FMA and AVX2, where GCC would contract
# multiply-adds) must pass like the default build.
echo "== accuracy sweep built for x86-64-v3"
if grep -qw fma /proc/cpuinfo && grep -qw avx2 /proc/cpuinfo; then
  CXXFLAGS="-march=x86-64-v3" cmake -S . -B build-v3 -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DZENTAVO_BUILD_GUI=OFF >/dev/null
  cmake --build build-v3 --target mathlib_accuracy_test -j "$jobs"
  ./build-v3/mathlib/mathlib_accuracy_test | tail -1
else
  echo "skipped: this processor has no FMA and AVX2, so it cannot run an x86-64-v3 build"
fi

if [[ -f fuzz/run.sh ]]; then
  echo "== fuzz the engine"
  bash fuzz/run.sh 60
fi
echo "== all tests passed"
