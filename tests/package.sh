#!/usr/bin/env bash
# The Debian package: version 1.0.0.0, dependencies computed from the program's
# libraries plus those it loads at run time, the installed tree, and no lintian error.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null)
package=$(ls "$work"/controls-demo_*.deb)
[[ $(basename "$package") == controls-demo_1.0.0.0_amd64.deb ]] || fail "package file $(basename "$package")"
[[ $(dpkg-deb -f "$package" Package) == controls-demo ]] || fail "package name"
[[ $(dpkg-deb -f "$package" Version) == 1.0.0.0 ]] || fail "version $(dpkg-deb -f "$package" Version)"
depends=$(dpkg-deb -f "$package" Depends)
for needed in 'libc6 (>=' 'libqt6widgets6 (>=' 'libqt6gui6 (>=' 'libqt6core6 (>=' 'libstdc++6 (>=' qt6-qpa-plugins fonts-dejavu-core; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
contents=$(dpkg-deb -c "$package")
[[ $contents == *' ./usr/bin/controls-demo'* ]] || fail "the package holds no usr/bin/controls-demo"

lintian --no-tag-display-limit "$package" >"$work/lintian" 2>&1 || true
if grep -q '^E:' "$work/lintian"; then
    grep '^E:' "$work/lintian" >&2
    fail "lintian reports errors"
fi
[[ $failures -eq 0 ]] && echo "passed"
exit $((failures > 0))
