#!/usr/bin/env bash
# Checks that every C++ source is in the project's style (.clang-format, 100 columns)
# and that no line of the generated tables exceeds 100 columns. Prints what differs
# and fails; `scripts/check_format.sh --fix` rewrites the files in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."

generated='^mathlib/(kernel_tables\.cpp|kernel_constants\.h)$'
mapfile -t sources < <(git ls-files '*.h' '*.cpp' | grep -Ev "$generated")
if [[ ${1:-} == --fix ]]; then
  clang-format -i "${sources[@]}"
  exit 0
fi
status=0
if ! clang-format --dry-run --Werror "${sources[@]}" 2>/tmp/zentavo-format.$$; then
  grep -E '^[^ ].*: (error|warning):' /tmp/zentavo-format.$$ | head -40
  echo "format: $(grep -cE ': (error|warning):' /tmp/zentavo-format.$$) places differ from" \
       ".clang-format (bash scripts/check_format.sh --fix rewrites them)"
  status=1
fi
rm -f /tmp/zentavo-format.$$
long=$(git ls-files '*.h' '*.cpp' | grep -E "$generated" | xargs awk 'length > 100 { print FILENAME ":" FNR }')
if [[ -n $long ]]; then
  echo "format: generated lines longer than 100 columns:"; echo "$long"; status=1
fi
if ((status == 0)); then echo "format: ${#sources[@]} files in the project's style"; fi
exit $status
