#!/usr/bin/env bash
# The author ticks and unticks "ウィンドウを最大化" in the tool window with the
# real mouse: the layout window returns to its size and place before
# maximising and stays fixed at that size, and "保存" records that size. Then the tick is recorded
# with "保存後閉じる", the windows are opened again (the tool window restores
# the maximised state at its show), unticked and saved once more.
# Usage: layout_maximize_xvfb.sh EDITOR ARTIFACT_DIR [openbox]
set -uo pipefail
editor=$1
ARTIFACTS=$2
wm=${3:-}
source "$(dirname "$0")/xvfb_lib.sh"
[ -n "$wm" ] && xvfb_need "$wm"
xvfb_start
if [ -n "$wm" ]; then
  run_bg "$work/wm.log" "$wm"
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
fi
tag=${wm:-nowm}

disc=$work/disc
mkdir -p "$disc"
cp "$editor" "$disc/tobrinedit"
run_bg "$work/editor.log" "$disc/tobrinedit"
main=$(wait_window "Tobrin EX" 30) || xvfb_fail "the editor's main window never mapped"

open_layout() {
  click_at "$main" 396 48  # "ウィンドウのサイズ設定"
  layout=$(wait_window "セットアップ") || xvfb_fail "the layout window never mapped"
  tool=$(wait_window "ウィンドウ設定") || xvfb_fail "the tool window never mapped"
  sleep 0.5
}

# Waits up to 5 s for the layout window to reach the size "$1".
wait_size() {
  local _
  for _ in $(seq 50); do
    [ "$(window_size "$layout")" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# Waits for the window manager's maximised size; without one nothing grows.
wait_maximised() {
  local _ w h
  [ -z "$wm" ] && { sleep 0.5; return 0; }
  for _ in $(seq 50); do
    read -r w h < <(window_size "$layout")
    [ "$w" -gt 1000 ] && [ "$h" -gt 800 ] && return 0
    sleep 0.1
  done
  return 1
}

window_place() {  # prints "X Y", the client area's place on the screen
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'
}

fixed_at() {  # the size hints hold min = max = "W by H"
  local hints
  hints=$(xprop -id "$layout" WM_NORMAL_HINTS)
  grep -q "minimum size: $1" <<<"$hints" && grep -q "maximum size: $1" <<<"$hints" ||
    xvfb_fail "the layout window is not fixed at $1: $hints"
}

# Saves beside the editor; prints the saved "ww wh max".
save_and_read() {
  rm -f "$disc/tobrinedit.dat" "$disc/autorun.inf"
  xdotool windowraise "$main"  # the layout window may cover the main one
  sleep 0.2
  click_at "$main" 284 232  # "設定をファイルに出力 (Tobrin Exがあるフォルダに保存)"
  for _ in $(seq 100); do
    [ -f "$disc/autorun.inf" ] && break
    sleep 0.1
  done
  echo "$(ini_value "$disc/tobrinedit.dat" set ww) $(ini_value "$disc/tobrinedit.dat" set wh)" \
    "$(ini_value "$disc/tobrinedit.dat" window max)"
}

save_and_expect() {  # "ww wh max"
  local got
  got=$(save_and_read)
  [ "$got" = "$1" ] || xvfb_fail "saved ww wh max are \"$got\", expected \"$1\""
}

open_layout
normal=$(window_size "$layout")
[ "$normal" = "526 416" ] || xvfb_fail "the layout window opened at $normal"
place=$(window_place "$layout")

click_at "$tool" 20 180  # tick "ウィンドウを最大化"
wait_maximised || xvfb_fail "the layout window was not maximised: $(window_size "$layout")"
shot "$layout" "layout_maximised_$tag"
click_at "$tool" 20 180  # untick
wait_size "$normal" || xvfb_fail "unticked, the layout window kept $(window_size "$layout")"
fixed_at "526 by 416"
[ "$(window_place "$layout")" = "$place" ] ||
  xvfb_fail "restored at $(window_place "$layout"), not where it was ($place)"
shot "$layout" "layout_restored_$tag"
click_at "$layout" 318 396  # "保存"
save_and_expect "532 441 0"

# Recorded maximised, closed, shown again: the tool window's show
# maximises it, and unticking takes the same road back.
click_at "$tool" 20 180
wait_maximised || xvfb_fail "the layout window was not maximised again"
click_at "$tool" 140 219  # "保存後閉じる"
wait_window_gone "セットアップ" || xvfb_fail "the layout window stayed open"
# A maximised window records its maximised size (without a window
# manager nothing grows, and the size stays).
read -r ww wh max < <(save_and_read)
if [ -n "$wm" ]; then
  [ "$ww" -gt 1000 ] && [ "$wh" -gt 800 ] && [ "$max" = 1 ] ||
    xvfb_fail "recorded maximised, the file holds $ww $wh $max"
else
  [ "$ww $wh $max" = "532 441 1" ] || xvfb_fail "recorded maximised, the file holds $ww $wh $max"
fi
open_layout
wait_maximised || xvfb_fail "shown again, the layout window was not maximised"
click_at "$tool" 20 180
wait_size "$normal" || xvfb_fail "unticked after a new show, the window kept $(window_size "$layout")"
fixed_at "526 by 416"
click_at "$layout" 318 396
save_and_expect "532 441 0"
echo "unticking returned the layout window to 526 x 416 ($tag), and 保存 recorded 532 x 441"
