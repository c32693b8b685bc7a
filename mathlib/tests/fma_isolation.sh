#!/usr/bin/env bash
# The FMA build of the kernels may use instructions that older processors lack, so
# every function of its object file that uses AVX-encoded instructions must be one
# of its own (namespace Fma): a shared inline or template function compiled there
# could be the copy the linker keeps for everyone. Arguments: the library's objects.
set -euo pipefail
object=""
for o in ${1//;/ }; do [[ $o == *elementary_functions_fma.cpp.o ]] && object=$o; done
[[ -n $object ]] || { echo "no elementary_functions_fma object among: $1"; exit 1; }
leaked=$(objdump -d --no-show-raw-insn "$object" | c++filt |
  awk '/^[0-9a-f]+ </ { name = $0 } /\tv[a-z]/ { print name }' | sort -u | grep -v 'Fma::' || true)
if [[ -n $leaked ]]; then
  echo "FMA-built code outside the namespace Fma:"; echo "$leaked"; exit 1
fi
fused=$(objdump -d "$object" | grep -c 'vfn\?m\(add\|sub\)' || true)
echo "FMA build isolated: $fused fused multiply-adds, all in the namespace Fma"
