#!/usr/bin/env bash
# The author drags the "簡易セットアップ" mock of the layout window with the
# real mouse, records the layout with Esc in the tool window and saves
# beside the editor; the runner started from that folder has its setup
# button at the new place, and no longer at the old one.
# Usage: layout_drag_xvfb.sh EDITOR RUNNER ARTIFACT_DIR
set -uo pipefail
editor=$1 runner=$2
ARTIFACTS=$3
source "$(dirname "$0")/xvfb_lib.sh"
xvfb_need xprop
xvfb_start

disc="$work/disc"
mkdir -p "$disc"
cp "$editor" "$disc/tobrinedit"
run_bg "$work/editor.log" "$disc/tobrinedit"
editor_pid=$last_pid
main=$(wait_window "Tobrin EX" 30) || xvfb_fail "the editor's main window never mapped"
click_at "$main" 396 48  # "ウィンドウのサイズ設定"
layout=$(wait_window "セットアップ") || xvfb_fail "the layout window never mapped"
tool=$(wait_window "ウィンドウ設定") || xvfb_fail "the tool window never mapped"
xprop -id "$tool" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE ||
  xvfb_fail "the tool window does not ask to stay above: $(xprop -id "$tool" _NET_WM_STATE)"
xprop -id "$tool" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY ||
  xvfb_fail "not a tool window: $(xprop -id "$tool" _NET_WM_WINDOW_TYPE)"
shot "$tool" layout_tool_window

# The mock lies at 8,320 (89 x 25); grabbed 12,12 inside it, dropped at 300,200.
drag_from_to "$layout" 20 332 300 200
shot "$layout" layout_after_drag
press_key "$tool" Escape
wait_window_gone "ウィンドウ設定" || xvfb_fail "Esc in the tool window did not close it"
wait_window_gone "セットアップ" || xvfb_fail "the layout window stayed open"

click_at "$main" 284 232  # "設定をファイルに出力 (Tobrin Exがあるフォルダに保存)"
for _ in $(seq 100); do
  [ -f "$disc/autorun.inf" ] && break  # written after the settings file
  sleep 0.1
done
[ -f "$disc/tobrinedit.dat" ] || xvfb_fail "nothing was saved beside the editor"
saved=$(tr -d '\r' <"$disc/tobrinedit.dat")
for key in bsl=288 bst=188 bsw=89 bsh=25 ww=532 wh=441; do
  grep -qx "$key" <<<"$saved" || xvfb_fail "the saved file lacks $key: $(grep -E '^(bs|w)' <<<"$saved")"
done
kill "$editor_pid" 2>/dev/null
wait "$editor_pid" 2>/dev/null

cp "$runner" "$disc/tobrinplay"
run_bg "$work/runner.log" "$disc/tobrinplay"
menu=$(wait_window "セットアップ" 30) || xvfb_fail "the runner's menu window never mapped"
shot "$menu" layout_runner_menu
click_at "$menu" 52 332  # where the button was before the drag
wait_window "簡易セットアップ" 1 >/dev/null && xvfb_fail "the setup button is still at its old place"
click_at "$menu" 332 200
wait_window "簡易セットアップ" 10 >/dev/null || xvfb_fail "no setup button at the new place"
echo "the setup button moved to 288,188 in the editor and in the runner"
