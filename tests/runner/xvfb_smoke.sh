#!/usr/bin/env bash
# Plays the sample disc under Xvfb with the real xcb platform: the menu
# window must map with the expected client size; a screenshot is kept.
# Usage: xvfb_smoke.sh RUNNER SAMPLE_DISC ARTIFACT_DIR WIDTH HEIGHT
# Exit 77 (skipped) when Xvfb or the X utilities are missing.
set -uo pipefail
runner=$1 sample=$2 artifacts=$3 want_w=$4 want_h=$5
title=サンプルディスク

for tool in Xvfb xwininfo; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tobrin-smoke.XXXXXX")
xvfb_pid="" runner_pid=""
cleanup() {
  [ -n "$runner_pid" ] && kill "$runner_pid" 2>/dev/null && wait "$runner_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
n=""
for _ in $(seq 50); do
  n=$(head -n1 "$work/display" 2>/dev/null)
  # Ready only once it answers: a socket file alone may be a stale one.
  [ -n "$n" ] && xwininfo -root -display ":$n" >/dev/null 2>&1 && break
  n=""
  sleep 0.1
done
if [ -z "$n" ]; then
  echo "SKIP: Xvfb did not start"; cat "$work/xvfb.log"; exit 77
fi
export DISPLAY=":$n"

cp -r "$sample" "$work/disc"
cp "$runner" "$work/disc/tobrinplay"
# The opening shows its picture for a few seconds, then the menu maps.
wait_for_menu() {
  id=""
  for _ in $(seq 300); do
    id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$title\"" | awk '{print $1}' | head -n1)
    if [ -n "$id" ] && xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then return; fi
    id=""
    kill -0 "$runner_pid" 2>/dev/null || return
    sleep 0.1
  done
}

# A second start only when the first could not reach the server at all.
for attempt in 1 2; do
  QT_QPA_PLATFORM=xcb "$work/disc/tobrinplay" >"$work/runner.log" 2>&1 &
  runner_pid=$!
  wait_for_menu
  [ -n "$id" ] && break
  grep -q 'could not connect to display' "$work/runner.log" || break
  echo "the runner could not reach $DISPLAY (attempt $attempt)"
  sleep 1
done
if [ -z "$id" ]; then
  echo "FAIL: the menu window \"$title\" never mapped"
  cat "$work/runner.log"
  exit 1
fi

info=$(xwininfo -id "$id")
w=$(awk '/^  Width:/ {print $2}' <<<"$info")
h=$(awk '/^  Height:/ {print $2}' <<<"$info")
mkdir -p "$artifacts"
if command -v import >/dev/null; then
  sleep 0.3  # let the first paint finish
  import -display ":$n" -window "$id" "$artifacts/runner_menu.png" && \
    echo "screenshot: $artifacts/runner_menu.png"
fi
if [ "$w" != "$want_w" ] || [ "$h" != "$want_h" ]; then
  echo "FAIL: menu client area ${w}x${h}, expected ${want_w}x${want_h}"
  exit 1
fi
echo "menu window mapped at ${w}x${h}"
