#!/usr/bin/env bash
# Builds the Debian package from a finished build folder and checks what a packager
# and apt look at: the control fields, the declared dependencies, and that every
# file a desktop needs is in it (and nothing of the build or the tests).
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
shopt -s nullglob
debs=("$out"/zentavo_*.deb)
[[ ${#debs[@]} -eq 1 ]] || { echo "expected one zentavo_*.deb, found: ${debs[*]:-none}"; exit 1; }
deb=${debs[0]}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == zentavo ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == 4.1 ]] || fail "Version is '$(field Version)'"
[[ $(field Architecture) == amd64 ]] || fail "Architecture is '$(field Architecture)'"
[[ $(field Section) == math ]] || fail "Section is '$(field Section)'"
description=$(field Description)
[[ $description == "multivariable formula calculator"$'\n'* ]] || fail "Description: $description"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6printsupport6 libqt6charts6 libqt6svg6 libmpfr6 libstdc++6 libc6 \
    qt6-qpa-plugins; do
  [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's#^\./#/#')
expected=(
  /usr/bin/zentavo
  /usr/bin/zentavo-eval
  /usr/share/applications/zentavo.desktop
  /usr/share/metainfo/zentavo.metainfo.xml
  /usr/share/man/man1/zentavo.1.gz
  /usr/share/man/man1/zentavo-eval.1.gz
  /usr/share/icons/hicolor/scalable/apps/zentavo.svg
  /usr/share/doc/zentavo/copyright
  /usr/share/doc/zentavo/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/zentavo.png")
done
for file in "${expected[@]}"; do
  grep -qxF "$file" <<<"$contents" || fail "missing $file"
done
unexpected=$(grep -E '\.(a|h|cpp|o)$|tests?|bench|draw_' <<<"$contents" || true)
[[ -z $unexpected ]] || fail "files that do not belong in the package: $unexpected"

# The programs in the package are stripped release binaries that run.
dpkg-deb --extract "$deb" "$out/root"
file "$out/root/usr/bin/zentavo-eval" | grep -q 'not stripped' && fail "zentavo-eval not stripped"
[[ $("$out/root/usr/bin/zentavo-eval" "1+2") == 3 ]] || fail "the packaged zentavo-eval does not compute"

if ((failures)); then
  echo "$failures check(s) failed for $(basename "$deb")"
  exit 1
fi
echo "$(basename "$deb"): $(wc -l <<<"$contents") entries, Depends: $depends"
