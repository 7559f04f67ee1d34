#!/usr/bin/env bash
# A new author whose editor lies in a folder of its own: the target, the
# background and a setup folder are chosen with "参照" in the disc's folder,
# the destination is typed as a Linux path, and "ファイルに出力" saves into
# the disc's folder. The runner started there runs the target, shows the
# background and copies the folder's contents into the typed destination.
# With WM=1 the same runs under openbox.
# Usage: disc_elsewhere_xvfb.sh EDITOR RUNNER TEST_DATA [ARTIFACT_DIR]
set -uo pipefail
editor=$1 runner=$2 data=$3
ARTIFACTS=${4:-}
source "$(dirname "$0")/xvfb_lib.sh"
xvfb_start
if [ "${WM:-0}" = 1 ]; then
  xvfb_need openbox
  run_bg "$work/openbox.log" openbox
  sleep 1
fi

# Home is a scratch folder, so that "C:" (the home drive) is ours.
export HOME=$work/home
disc=$work/author/disc
mkdir -p "$work/editor" "$HOME" "$disc/pics" "$disc/data/sub"
cp "$editor" "$work/editor/tobrinedit"
cp "$runner" "$disc/tobrinplay"
printf '#!/bin/sh\necho ran > "%s/marker"\n' "$disc" >"$disc/mark.sh"
chmod +x "$disc/mark.sh"
cp "$data/platform/ui/red.jpg" "$disc/pics/back.jpg"
echo one >"$disc/data/one.txt"
echo two >"$disc/data/sub/two.txt"
echo unrelated >"$disc/data-notes.txt"

# A common dialog opened by a click: the path is typed into its name box.
choose_in_dialog() {  # window, X Y of the button, path
  local before chooser _
  before=$(visible_ids)
  click_at "$1" "$2" "$3"
  chooser=$(new_window "$before") || xvfb_fail "no dialog opened at $2,$3"
  type_into "$chooser" "$4"
  press_key "$chooser" Return
  for _ in $(seq 50); do xwininfo -id "$chooser" 2>/dev/null | grep -q IsViewable || return 0; sleep 0.1; done
  shot "$chooser" elsewhere_stuck_dialog
  xvfb_fail "the dialog for $4 stayed open"
}
key() { ini_value "$disc/tobrinedit.dat" "$1" "$2"; }

cd "$work/editor" || exit 1
run_bg "$work/editor.log" ./tobrinedit
main=$(wait_window "Tobrin EX") || xvfb_fail "the editor's main window never mapped"

# Row 1 runs the script, page 1 shows the picture; both browsed.
click_at "$main" 60 48
page=$(wait_window "メニューの編集(１ページ目)") || xvfb_fail "the page editor did not open"
click_at "$page" 136 42
type_into "$page" "Run marker"
choose_in_dialog "$page" 456 44 "$disc/mark.sh"
choose_in_dialog "$page" 368 452 "$disc/pics/back.jpg"
shot "$page" elsewhere_form2
click_at "$page" 365 612
wait_window_gone "メニューの編集(１ページ目)" || xvfb_fail "the page editor stayed open after OK"

# The window title, so that the runner's menu is found by it.
click_at "$main" 172 48
oneline=$(wait_window "一言メッセージの作成") || xvfb_fail "the one-line dialog did not open"
click_at "$oneline" 328 138
type_into "$oneline" "Elsewhere"
click_at "$oneline" 212 252
wait_window_gone "一言メッセージの作成" || xvfb_fail "the one-line dialog stayed open after OK"

# Setup item 1 copies the browsed folder into a destination typed as a
# Linux path.
click_at "$main" 60 136
f6=$(wait_window "簡易セットアップの設定") || xvfb_fail "the setup dialog did not open"
click_at "$f6" 70 42
type_into "$f6" "Data"
choose_in_dialog "$f6" 322 42 "$disc/data"
click_at "$f6" 100 404
xdotool key ctrl+a
type_into "$f6" "$HOME/install"
shot "$f6" elsewhere_form6
click_at "$f6" 712 434
wait_window_gone "簡易セットアップの設定" || xvfb_fail "the setup dialog stayed open after OK"

# ファイルに出力 into the disc's folder.
choose_in_dialog "$main" 396 232 "$disc"
wait_file "$disc/autorun.inf" 10 || xvfb_fail "ファイルに出力 wrote nothing"
[ "$(key path1 1)" = "mark.sh" ] || xvfb_fail "target: '$(key path1 1)'"
[ "$(key bg file)" = 'pics\back.jpg' ] || xvfb_fail "background: '$(key bg file)'"
[ "$(key set1 ff1)" = 'data\' ] || xvfb_fail "setup source: '$(key set1 ff1)'"
[ "$(key set syoki)" = 'C:\install' ] || xvfb_fail "destination: '$(key set syoki)'"
[ "$(key size 2)" = "0" ] || xvfb_fail "an unset font size became '$(key size 2)'"
# Every path lay inside the disc's folder: no box tells of files left out.
sleep 0.5
[ -z "$(windows_titled "Tobrin EX" | grep -vx "$main")" ] || xvfb_fail "the save showed a box"

cd "$disc" || exit 1
start_for_window "Elsewhere" 30 "$work/runner.log" ./tobrinplay ||
  xvfb_fail "the runner's menu never mapped"
menu=$window_id
shot "$menu" elsewhere_runner_menu
# The background: a red picture fills the window beside the buttons.
pixel=$(import -window "$menu" -crop 1x1+400+20 -depth 8 txt:- 2>/dev/null | tail -n1)
grep -qiE 'srgb\((2[3-5][0-9]),([0-9]|[1-4][0-9]),([0-9]|[1-4][0-9])\)|#(F|E)[0-9A-F]0[0-9A-F]0[0-9A-F]' \
  <<<"$pixel" || xvfb_fail "no red background: $pixel"
click_at "$menu" 124 76
wait_file "$disc/marker" 10 || xvfb_fail "button 1 did not run the browsed target"

click_at "$menu" 52 332  # 簡易セットアップ
setup=$(wait_window "簡易セットアップ") || xvfb_fail "the setup window did not open"
click_at "$setup" 124 84
question=$(wait_window "確認") || xvfb_fail "the item asked nothing"
press_key "$question" Return
wait_file "$HOME/install/sub/two.txt" 10 || xvfb_fail "the folder's contents were not copied"
[ "$(cat "$HOME/install/one.txt")" = one ] || xvfb_fail "one.txt was not copied"
[ ! -e "$HOME/install/data" ] && [ ! -e "$HOME/install/data-notes.txt" ] ||
  xvfb_fail "the folder itself or an unrelated file was copied: $(ls "$HOME/install")"
[ -z "$(find "$work" -name '*\\*')" ] || xvfb_fail "a name holds a \\: $(find "$work" -name '*\\*')"
shot "$setup" elsewhere_runner_setup
echo "the runner ran the browsed target, showed the background and copied into $HOME/install"
