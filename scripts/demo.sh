#!/usr/bin/env bash
# Plays the sample disc: stages the runner and the archiver libraries into a
# copy of examples/sample-disc (the runner reads its own folder) and starts it.
# Usage: scripts/demo.sh [build-folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
disc=$root/demo-disc

if [ ! -x "$build/bin/tobrinplay" ]; then
  echo "demo: $build/bin/tobrinplay is missing; run 'make build' first" >&2
  exit 1
fi

rm -rf "$disc"
cp -r "$root/examples/sample-disc" "$disc"
cp "$build/bin/tobrinplay" "$disc/"
shopt -s nullglob
# Only the archiver libraries that ship; the test stand-ins stay behind.
for lib in Unlha32 cab32 Tar32 unrar32 Unzip32 Zip32j; do
  [ -f "$build/bin/$lib.dll" ] && cp "$build/bin/$lib.dll" "$disc/"
done
# The media library, which plays an opening's music or movie.
[ -f "$build/bin/libtobrin_media.so" ] && cp "$build/bin/libtobrin_media.so" "$disc/"
echo "demo: disc staged in $disc"

# make exports QT_QPA_PLATFORM=offscreen for the tests; the demo needs a screen.
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=wayland
elif [ -n "${DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=xcb
else
  echo "demo: no display available (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "demo: run it from a desktop session, or under a virtual one: xvfb-run -a make demo" >&2
  exit 2
fi
exec "$disc/tobrinplay"
