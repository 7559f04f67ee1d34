#!/usr/bin/env bash
# The author fills the simple setup (one archive item and the destination),
# the timer and the opening in the real editor under Xvfb, with real input,
# and saves beside the editor; the runner started on that folder plays the
# opening, offers the item, unpacks it, and its timer closes the menu.
# Screenshots of the six dialogs go to ARTIFACT_DIR.
# Usage: editor_setup_xvfb.sh BIN_DIR TEST_DATA ARTIFACT_DIR
set -uo pipefail
bin=$1 data=$2
export ARTIFACTS=$3
source "$(dirname "$0")/xvfb_lib.sh"
xvfb_need zip awk comm
xvfb_start

disc=$work/disc
mkdir -p "$disc/pkg" "$work/src"
echo "hello from the archive" >"$work/src/readme.txt"
(cd "$work/src" && zip -q "$disc/pkg/app.zip" readme.txt) || xvfb_fail "zip"
cp "$bin/tobrinedit" "$bin/tobrinplay" "$bin/Unzip32.dll" "$disc/"
cp "$data/platform/ui/red.jpg" "$disc/opening.jpg"
export TOBRIN_DRIVES="D=$disc"
cd "$disc" || exit 1

open_dialog() {  # main-window X Y, title: prints the dialog's id
  click_at "$main" "$1" "$2"
  wait_window "$3" || xvfb_fail "\"$3\" did not open"
}
close_by() {  # dialog id, X Y of the button, title
  click_at "$1" "$2" "$3"
  wait_window_gone "$4" || xvfb_fail "\"$4\" stayed open"
}
replace_text() {  # window, X Y of the box, text: the box's text is replaced
  click_at "$1" "$2" "$3"
  xdotool key ctrl+a
  type_into "$1" "$4"
}
key() { ini_value "$disc/tobrinedit.dat" "$1" "$2"; }  # section key: a saved value

run_bg "$work/editor.log" ./tobrinedit
main=$(wait_window "Tobrin EX") || xvfb_fail "the editor's main window never mapped"

# Simple setup: row 1 is an archive chosen in the file dialog.
f6=$(open_dialog 60 136 "簡易セットアップの設定")
replace_text "$f6" 70 42 "App"
click_at "$f6" 355 42  # archive box
before=$(visible_ids)
click_at "$f6" 322 42  # 参照
chooser=$(new_window "$before") || xvfb_fail "the archive file dialog did not open"
type_into "$chooser" "$disc/pkg/app.zip"
press_key "$chooser" Return
for _ in $(seq 50); do xwininfo -id "$chooser" 2>/dev/null | grep -q IsViewable || break; sleep 0.1; done
replace_text "$f6" 100 404 'D:\installed'
f11=$(click_at "$f6" 627 42; wait_window "ショートカットの設定（1ページ目・1番目）") ||
  xvfb_fail "the shortcut dialog did not open"
shot "$f11" dialog_form11
press_key "$f11" Escape
shot "$f6" dialog_form6
close_by "$f6" 712 434 "簡易セットアップの設定"

# Timer: closes the menu after 8 seconds; "x" is refused by the seconds box.
f8=$(open_dialog 172 136 "タイマーの設定")
click_at "$f8" 14 16
replace_text "$f8" 30 61 "x8"
click_at "$f8" 30 150  # メニューの終了
shot "$f8" dialog_form8
close_by "$f8" 85 252 "タイマーの設定"

# Opening: a picture for one second.
f4=$(open_dialog 284 48 "オープニングの設定")
click_at "$f4" 14 16
replace_text "$f4" 100 104 "opening.jpg"
replace_text "$f4" 115 197 "1"
shot "$f4" dialog_form4
close_by "$f4" 313 277 "オープニングの設定"

f18=$(open_dialog 396 136 "その他の機能")
shot "$f18" dialog_form18
close_by "$f18" 197 200 "その他の機能"
f10=$(open_dialog 224 300 "バージョン情報")
shot "$f10" dialog_form10
press_key "$f10" Escape
wait_window_gone "バージョン情報" || xvfb_fail "Esc left the version box open"

click_at "$main" 284 232  # save beside the editor
for _ in $(seq 50); do [ -s "$disc/autorun.inf" ] && break; sleep 0.1; done
[ "$(key set1 fk1)" = "App" ] || xvfb_fail "item name: '$(key set1 fk1)'"
[ "$(key set1 ff1)" = 'pkg\app.zip' ] || xvfb_fail "item source: '$(key set1 ff1)'"
[ "$(key set1 af1)" = "1" ] || xvfb_fail "archive flag: '$(key set1 af1)'"
[ "$(key set syoki)" = 'D:\installed' ] || xvfb_fail "destination: '$(key set syoki)'"
[ "$(key timer time)/$(key timer dousa)/$(key timer enabled)" = "8/2/1" ] ||
  xvfb_fail "timer: $(key timer time)/$(key timer dousa)/$(key timer enabled)"
[ "$(key opening file)/$(key opening time)" = "opening.jpg/1" ] ||
  xvfb_fail "opening: $(key opening file)/$(key opening time)"

# The runner on the saved folder: opening, then the menu.
run_bg "$work/runner.log" ./tobrinplay
runner=$last_pid
menu=$(wait_window "セットアップ" 20) || xvfb_fail "the menu never mapped"
menu_shown=$SECONDS
click_at "$menu" 52 332  # 簡易セットアップ
setup=$(wait_window "簡易セットアップ") || xvfb_fail "the setup window did not open"
shot "$setup" runner_setup
click_at "$setup" 124 84  # item 1, "App"
question=$(wait_window "確認") || xvfb_fail "the item asked nothing"
press_key "$question" Return
for _ in $(seq 50); do [ -f "$disc/installed/readme.txt" ] && break; sleep 0.1; done
[ "$(cat "$disc/installed/readme.txt" 2>/dev/null)" = "hello from the archive" ] ||
  xvfb_fail "the archive was not unpacked into D:\\installed"
press_key "$setup" Escape

# The timer closes the menu, which ends the runner.
for _ in $(seq 200); do kill -0 "$runner" 2>/dev/null || break; sleep 0.1; done
kill -0 "$runner" 2>/dev/null && xvfb_fail "the timer did not close the menu"
elapsed=$((SECONDS - menu_shown))
wait "$runner"
status=$?
[ "$status" -eq 0 ] || xvfb_fail "the runner ended with status $status"
[ "$elapsed" -ge 5 ] || xvfb_fail "the menu closed after ${elapsed}s, before its 8 seconds"
echo "item unpacked; the timer closed the menu after about ${elapsed}s"
