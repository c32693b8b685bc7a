#!/usr/bin/env bash
# Runs zentavo-eval over a set of ordinary invocations with operator new made to fail
# (failing_new.so under LD_PRELOAD): for each invocation, the N-th allocation alone
# and every allocation from the N-th on, N over every allocation it makes. Each run
# must end by itself (no signal, no std::terminate) with its ordinary exit status or
# 1, and every line it writes must be whole. Arguments: zentavo-eval, failing_new.so.
set -uo pipefail
eval_program=$1
library=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/data LANG=C.UTF-8
printf '1;2\n3;0\nfoo;1\n\n5;x\n' >"$work/rows"

invocations=(
  "1+1"
  "x*y|x=2|y=3"
  "--full|1/3"
  "--table|a;b|a/b"
  "--sweep|x=-1:1:5|ln(x)+y|y=1"
  "--solve|x=-4:4:101|x*x-2"
  "--list"
  "1|bad"
  "--help"
)

runs=0 failures=0 bad=0
for invocation in "${invocations[@]}"; do
  IFS="|" read -r -a args <<<"$invocation"
  input=/dev/null
  [[ ${args[0]} == --table ]] && input=$work/rows
  ZENTAVO_COUNT_FILE=$work/count LD_PRELOAD=$library "$eval_program" "${args[@]}" \
    <"$input" >/dev/null 2>&1
  normal=$?
  total=$(cat "$work/count")
  for ((n = 1; n <= total; n++)); do
    for from in "" 1; do
      ZENTAVO_FAIL_AT=$n ZENTAVO_FAIL_FROM=$from LD_PRELOAD=$library \
        "$eval_program" "${args[@]}" <"$input" >"$work/out" 2>"$work/err"
      status=$?
      runs=$((runs + 1))
      ((status == normal)) || failures=$((failures + 1))
      problem=""
      if ((status != normal && status != 1)); then problem="exit status $status"; fi
      if grep -q 'terminate called' "$work/err"; then problem="std::terminate"; fi
      if [[ -s $work/out && $(tail -c 1 "$work/out" | od -An -c | tr -d ' ') != '\n' ]]; then
        problem="a line cut short"
      fi
      if [[ -n $problem ]]; then
        bad=$((bad + 1))
        ((bad <= 20)) && echo "FAIL: zentavo-eval ${args[*]} with allocation $n${from:+ on} failing: $problem"
      fi
    done
  done
done
echo "fault injection: $runs runs, $failures reported a failure, $bad ended badly"
((bad == 0))
