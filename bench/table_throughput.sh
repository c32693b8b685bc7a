#!/usr/bin/env bash
# Rows per second of zentavo-eval --table against mawk on the same job: one million
# different rows of A;Q;T through A*exp(-Q/(8.31441*T)), into a file and through a
# pipe. Each figure is the best of three runs. Builds zentavo-eval in release mode
# first (build-bench). Not a test: it prints the table and exits 0.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh bench

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTAVO_BUILD_GUI=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench --target zentavo-eval -j "$(nproc)" >/dev/null

rows=1000000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v n="$rows" 'BEGIN { srand(7); for (i = 0; i < n; i++)
  printf "%.4g;%d;%d\n", 1e-8 + rand() * 9e-8, 150000 + int(rand() * 100000), 900 + int(rand() * 500) }' \
  >"$work/rows"

eval_bin=build-bench/cli/zentavo-eval
formula='A*exp(-Q/(8.31441*T))'
awk_program='{ print $1*exp(-$2/(8.31441*$3)) }'

# Best wall time in seconds of three runs of a command line.
best() {
  local best_ns=0 start end
  for _ in 1 2 3; do
    start=$(date +%s%N)
    bash -c "$1"
    end=$(date +%s%N)
    if ((best_ns == 0 || end - start < best_ns)); then best_ns=$((end - start)); fi
  done
  echo "$best_ns"
}

report() { # name, nanoseconds
  awk -v name="$1" -v ns="$2" -v n="$rows" \
    'BEGIN { printf "%-34s %8.3f s %12.0f rows/s\n", name, ns / 1e9, n / (ns / 1e9) }'
}

printf '%-34s %10s %17s\n' "job ($rows rows)" "time" "throughput"
report "zentavo-eval, file to file" \
  "$(best "$eval_bin --table 'A;Q;T' '$formula' <'$work/rows' >'$work/out'")"
report "mawk, file to file" \
  "$(best "mawk -F';' '$awk_program' '$work/rows' >'$work/out'")"
report "zentavo-eval, pipe to pipe" \
  "$(best "cat '$work/rows' | $eval_bin --table 'A;Q;T' '$formula' | cat >'$work/out'")"
report "mawk, pipe to pipe" \
  "$(best "cat '$work/rows' | mawk -F';' '$awk_program' | cat >'$work/out'")"
