#!/usr/bin/env bash
# The setup window, opened while the opening's timer would still run, stays
# above the menu under X without a window manager: it is transient for the
# menu, and nothing brings the menu up over it seconds later.
# Usage: xvfb_modal_stacking.sh RUNNER ARTIFACT_DIR
set -uo pipefail
runner=$1
ARTIFACTS=$2
# shellcheck source=../e2e/xvfb_lib.sh
source "$(dirname "$0")/../e2e/xvfb_lib.sh"
xvfb_start
title=StackDisc

disc=$work/disc
mkdir -p "$disc"
cp "$runner" "$disc/tobrinplay"
# The opening is off; its "time" still counts three ticks.
printf '[opening]\r\nenabled=0\r\ntime=3\r\n[hitokoto]\r\nwindowtitle=%s\r\n[button]\r\nkani=1\r\n' \
  "$title" >"$disc/tobrinedit.dat"
started=$(date +%s)
start_for_window "$title" 20 "$work/runner.log" "$disc/tobrinplay" ||
  xvfb_fail "the menu never came up"
menu=$window_id
click_at "$menu" 69 340
setup=$(wait_window "簡易セットアップ" 10) || xvfb_fail "no setup window"
[ "$(transient_for "$setup")" = "$(printf '%d' "$menu")" ] ||
  xvfb_fail "the setup window is not transient for the menu"
# Past the third tick of the opening's timer.
while [ $(($(date +%s) - started)) -lt 5 ]; do sleep 0.2; done
shot "$setup" stacking_setup
lies_above "$setup" "$menu" || xvfb_fail "the menu came up over the setup window"
echo "the setup window stays above the menu"
