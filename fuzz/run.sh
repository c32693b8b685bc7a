#!/usr/bin/env bash
# Builds the engine fuzzer into build-fuzz and runs it for a bounded time; exits
# non-zero on any finding (crash, leak, undefined behaviour, foreign exception,
# non-finite result, stack overflow). The crashing input is written to build-fuzz.
#
# Usage: bash fuzz/run.sh SECONDS
# A longer run, e.g. one hour on both cores, keeping what it learns in the corpus:
#   bash fuzz/run.sh 3600
#   (or, once built: build-fuzz/engine_fuzzer -max_total_time=3600 -jobs=2 -workers=2 \
#      -dict=fuzz/engine.dict build-fuzz/corpus fuzz/corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:?usage: fuzz/run.sh SECONDS}

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz -j 2

# New inputs go to build-fuzz/corpus; the seeds in fuzz/corpus are only read.
mkdir -p build-fuzz/corpus
cd build-fuzz
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ./engine_fuzzer -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=4096 -dict="$root/fuzz/engine.dict" -print_final_stats=1 \
    corpus "$root/fuzz/corpus"
