#!/usr/bin/env bash
# The peak memory of compiling a long formula: 1+1+...+1 of about 1 MB and 10 MB,
# measured with /usr/bin/time -v (maximum resident set), less the peak of a
# one-character formula, per byte of formula. Arguments: the compile_memory program.
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
peak() { /usr/bin/time -v "$program" "$1" 2>&1 >/dev/null | awk '/Maximum resident/ { print $NF }'; }
echo 1 >"$work/small"
base=$(peak "$work/small")
for megabytes in 1 10; do
  awk -v n=$((megabytes * 500000)) 'BEGIN { printf "1"; for (i = 0; i < n; i++) printf "+1"; print "" }' \
    >"$work/formula"
  bytes=$(($(wc -c <"$work/formula") - 1))
  kb=$(peak "$work/formula")
  awk -v kb="$kb" -v base="$base" -v bytes="$bytes" -v mb="$megabytes" 'BEGIN {
    printf "compile memory, %d MB formula: peak %.1f MB, %.1f bytes per byte of formula\n",
           mb, kb / 1024, (kb - base) * 1024 / bytes }'
done
