#!/usr/bin/env bash
# Runs the widget-layer tests that need a real X server (UiOnScreen.*)
# under Xvfb, without a window manager.
# Usage: xvfb_ui.sh PLATFORM_TESTS
set -uo pipefail
tests=$1
# shellcheck source=../e2e/xvfb_lib.sh
source "$(dirname "$0")/../e2e/xvfb_lib.sh"
xvfb_start
"$tests" --gtest_filter='UiOnScreen.*' >"$work/tests.log" 2>&1
status=$?
cat "$work/tests.log"
grep -q '\[  SKIPPED \]' "$work/tests.log" && xvfb_fail "the tests did not reach the X server"
exit "$status"
