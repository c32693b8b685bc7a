#!/usr/bin/env bash
# Builds the engine benchmark in release mode and prints two tables: per formula,
# our evaluation time against muparser's and the ratio, then the same for compiling;
# per built-in function, the time of a call in the build of the kernels chosen for
# this processor (fma where it has fused multiply-add) and in the portable one,
# against the C library's double function on the same arguments, and the share of
# calls that took the exact path. Each time
# is the median of five repetitions; then the sweep and the solves, the saved
# formulas (the store of 10,000 and the window's list, offscreen), and the peak memory
# of compiling long formulas. Extra arguments go
# to the engine benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTAVO_BUILD_GUI=ON \
  -DZENTAVO_BUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench --target engine_bench formula_list_bench compile_memory -j "$(nproc)"

# The run loop must sit inside one 64-byte line wherever the linker put it.
objdump -d --no-show-raw-insn build-bench/bench/engine_bench | c++filt | gawk '
  /<TExprVirtMach::Run\(\)>:$/ { inside = 1; next }
  inside && /^$/ { inside = 0 }
  inside { split($1, a, ":"); address = strtonum("0x" a[1]);
           if (back) { last = address - 1; back = 0 }
           if ($2 == "jne" && strtonum("0x" $3) < address) { start = strtonum("0x" $3); back = 1 } }
  END {
    if (!start) { print "run loop: not found"; exit 1 }
    printf "run loop: 0x%x to 0x%x, %s\n", start, last,
           int(start / 64) == int(last / 64) ? "inside one 64-byte line" : "CROSSES a 64-byte line";
    exit int(start / 64) != int(last / 64)
  }'

csv=$(mktemp)
trap 'rm -f "$csv"' EXIT
./build-bench/bench/engine_bench --benchmark_format=csv --benchmark_min_time=0.2 \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@" 2>/dev/null >"$csv"

# CSV rows look like: "eval/F1/ours_median",iterations,real_time,cpu_time,time_unit,...
awk -F, '
  /^"sweep\/100000_median"/ { sweep = $4; next }
  /^"store\/.*_median"/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); store[++ssn] = $1 ": " $4 " " $5; next }
  /^"solve\/.*_median"/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); solve[++sn] = $1; st[sn] = $4; next }
  /^"function\/.*_median"/ {
    gsub(/"/, "", $1); sub(/_median$/, "", $1); split($1, p, "/");
    ft[p[2] "/" p[3]] = $4; fu = $5;
    if (p[3] == "ours") { label = $8; gsub(/"|exact /, "", label); fx[p[2]] = label }
    if (!(p[2] in fseen)) { fseen[p[2]] = 1; forder[++fn] = p[2] }
    next
  }
  /^"(eval|compile)\/.*_median"/ {
    gsub(/"/, "", $1); sub(/_median$/, "", $1); split($1, p, "/");
    t[p[1] "/" p[2] "/" p[3]] = $4; unit[p[1]] = $5;
    if (!(p[2] in seen)) { seen[p[2]] = 1; order[++n] = p[2] }
  }
  END {
    printf "%-8s %14s %14s %7s %12s %7s   %14s %14s %7s\n", "formula", "eval ours", "eval muparser",
           "ratio", "model", "ours/m", "compile ours", "compile mup.", "ratio";
    lm = 0;
    for (i = 1; i <= n; i++) {
      f = order[i];
      eo = t["eval/" f "/ours"]; em = t["eval/" f "/muparser"]; ev = t["eval/" f "/model"];
      co = t["compile/" f "/ours"]; cm = t["compile/" f "/muparser"];
      lm += log(eo / em);
      printf "%-8s %11.1f %s %11.1f %s %7.2f %9.1f %s %7.2f   %11.0f %s %11.0f %s %7.2f\n", f,
             eo, unit["eval"], em, unit["eval"], eo / em, ev, unit["eval"], eo / ev,
             co, unit["compile"], cm, unit["compile"], co / cm;
    }
    if (n) printf "%-8s %30s %7.2f   (geometric mean against muparser)\n", "all", "", exp(lm / n);
    if (sweep != "") printf "\nsweep of 100,000 points (self-diffusion over T): %.1f ms\n", sweep;
    for (i = 1; i <= sn; i++) printf "%s: %.2f ms\n", solve[i], st[i];
    for (i = 1; i <= ssn; i++) print store[i];
    printf "\n%-10s %12s %7s %12s %7s %12s %11s\n", "function", "chosen", "ratio", "portable", "ratio",
           "C library", "exact path";
    lc = 0; lp = 0;
    for (i = 1; i <= fn; i++) {
      f = forder[i];
      rc = ft[f "/ours"] / ft[f "/libm"]; rp = ft[f "/portable"] / ft[f "/libm"];
      lc += log(rc); lp += log(rp);
      printf "%-10s %9.1f %s %7.2f %9.1f %s %7.2f %9.1f %s %10.3f%%\n", f, ft[f "/ours"], fu, rc,
             ft[f "/portable"], fu, rp, ft[f "/libm"], fu, 100 * fx[f];
    }
    if (fn) printf "%-10s %12s %7.2f %12s %7.2f   (geometric mean of the ratios)\n", "all", "", exp(lc / fn), "", exp(lp / fn);
  }' "$csv"

echo
QT_QPA_PLATFORM=offscreen ./build-bench/bench/formula_list_bench --benchmark_min_time=0.2 \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null | grep median

echo
bash bench/compile_memory.sh build-bench/bench/compile_memory
