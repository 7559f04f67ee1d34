#!/usr/bin/env bash
# CI: the installed programs. Installs a build into a temporary prefix,
# plays the sample disc with the installed runner under Xvfb, then builds
# the Debian package and checks it.
# Usage: scripts/check-install.sh [build-folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-release}
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tobrin-install.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
desktop-file-validate "$tmp/prefix/share/applications/tobrinedit.desktop"
bash "$root/tests/e2e/installed_runner_xvfb.sh" "$tmp/prefix" "$root/examples/sample-disc" \
  "$build/artifacts"

(cd "$build" && cpack -G DEB -B "$tmp/package" >/dev/null)
deb=$(ls "$tmp/package"/tobrin_*.deb)
dpkg-deb --field "$deb" Depends
lintian --fail-on error --tag-display-limit 0 "$deb"
dpkg-deb -x "$deb" "$tmp/unpacked"
desktop-file-validate "$tmp/unpacked/usr/share/applications/tobrinedit.desktop"
echo "check-install: installed runner played the sample disc; $(basename "$deb") passed lintian"
