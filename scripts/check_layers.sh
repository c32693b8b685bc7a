#!/usr/bin/env bash
# Checks the include rules of the layers: platform -> engine -> mathlib -> session ->
# {app, cli}, every include arrow pointing down this list. Each directory may include
# only itself and the layers below it (its tests too, except that tests may use the
# standard table); nothing below app/ includes Qt, and the command line reaches the
# engine only through the session. Prints every include that breaks a rule and fails.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
# check DIRECTORY PATTERN REASON: no file under DIRECTORY has an include matching PATTERN
check() {
  local found
  found=$(grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($2)" "$1" || true)
  if [[ -n $found ]]; then
    echo "layering: $3:"
    echo "$found"
    status=1
  fi
}

for layer in platform engine mathlib session cli; do
  check "$layer" 'Q[A-Za-z]*(>|/)|Qt[A-Za-z]*/' "$layer/ uses no Qt"
done
check platform 'engine/|mathlib/|session/|app/|cli/' "platform/ includes nothing above it"
check engine 'mathlib/|session/|app/|cli/' "engine/ includes nothing above it"
check mathlib 'session/|app/|cli/' "mathlib/ includes nothing above it"
check session 'app/|cli/' "session/ includes nothing of app/ or cli/"
check cli 'engine/|app/' "cli/ reaches the engine through the session, and has no window"
check app 'cli/' "app/ includes nothing of cli/"

if ((status == 0)); then echo "layering: every include points down the layers"; fi
exit $status
