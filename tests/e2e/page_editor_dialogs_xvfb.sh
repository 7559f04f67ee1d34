#!/usr/bin/env bash
# The page editor's common dialogs and its page switch through the real
# windows with real input: a font size and colour chosen in the font
# dialog, another font confirmed untouched, a background picked in the
# picture dialog (its preview shown), a caption typed on page 2; the saved
# file holds all of them.
# Usage: page_editor_dialogs_xvfb.sh EDITOR PICTURE [ARTIFACT_DIR]
set -uo pipefail
editor=$1 picture=$2
ARTIFACTS=${3:-}
source "$(dirname "$0")/xvfb_lib.sh"
xvfb_start

disc=$work/disc
mkdir -p "$disc"
cp "$editor" "$disc/tobrinedit"
cp "$picture" "$disc/haikei.jpg"

expect_value() {
  local got
  got=$(ini_value "$disc/tobrinedit.dat" "$1" "$2")
  [ "$got" = "$3" ] || xvfb_fail "[$1] $2 is \"$got\", expected \"$3\""
}

run_bg "$work/editor.log" "$disc/tobrinedit"
main=$(wait_window "Tobrin EX") || xvfb_fail "the editor's main window never mapped"
click_at "$main" 60 48
page=$(wait_window "メニューの編集(１ページ目)") || xvfb_fail "the page editor did not open"

# フォントの設定 of row 1: size 20, the second colour (茶).
click_at "$page" 664 44
fonts=$(wait_window "フォント") || xvfb_fail "the font dialog did not open"
shot "$fonts" font_dialog
press_key "$fonts" alt+s
type_into "$fonts" "20"
press_key "$fonts" alt+c
press_key "$fonts" Down
shot "$fonts" font_dialog_chosen
press_key "$fonts" Return
wait_window_gone "フォント" || xvfb_fail "the font dialog stayed open after Return"

# フォントの設定 of row 2, confirmed untouched: the new project's size 0,
# empty face and black stay as they were.
click_at "$page" 664 68
fonts=$(wait_window "フォント") || xvfb_fail "the font dialog did not open again"
press_key "$fonts" Return
wait_window_gone "フォント" || xvfb_fail "the font dialog stayed open after Return"

# 参照 of the page-1 background: the picture dialog with its preview.
click_at "$page" 368 452
pictures=$(wait_window "開く") || xvfb_fail "the picture dialog did not open"
type_into "$pictures" "$disc/"
press_key "$pictures" Return
sleep 0.5
click_at "$pictures" 380 200  # closes the name box's completion list
click_at "$pictures" 150 72   # haikei.jpg, the first file
shot "$pictures" picture_dialog
press_key "$pictures" Return
wait_window_gone "開く" || xvfb_fail "the picture dialog stayed open after Return"

# The page switch, then a caption on page 2.
click_at "$page" 232 612
page2=$(wait_window "メニューの編集（２ページ目）") || xvfb_fail "the page switch did not retitle"
click_at "$page2" 136 42
type_into "$page2" "Second page"
shot "$page2" editor_form2_page2
click_at "$page2" 365 612
wait_window_gone "メニューの編集（２ページ目）" || xvfb_fail "the page editor stayed open after OK"

click_at "$main" 284 232
for _ in $(seq 100); do [ -s "$disc/autorun.inf" ] && break; sleep 0.1; done
[ -s "$disc/tobrinedit.dat" ] || xvfb_fail "saving beside the editor wrote nothing"
expect_value size 1 20
expect_value color 1 128
expect_value fontname 1 ""
expect_value style 1 0
expect_value size 2 0
expect_value color 2 0
expect_value fontname 2 ""
expect_value bg file haikei.jpg
expect_value name2 1 "Second page"
expect_value name1 1 ""
echo "the page editor's dialogs gave what was chosen"
