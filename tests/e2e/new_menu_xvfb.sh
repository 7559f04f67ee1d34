#!/usr/bin/env bash
# A new author's first menu, through the real windows with real input:
# the editor gets a caption and a target in row 1, a message for button 1
# and a window title, and saves beside itself; the runner started in that
# folder shows the title, and a click on button 1 runs the target.
# Usage: new_menu_xvfb.sh EDITOR RUNNER [ARTIFACT_DIR]
set -uo pipefail
editor=$1 runner=$2
ARTIFACTS=${3:-}
source "$(dirname "$0")/xvfb_lib.sh"
xvfb_start

disc=$work/disc
mkdir -p "$disc"
cp "$editor" "$disc/tobrinedit"
cp "$runner" "$disc/tobrinplay"
# The target: a script the runner starts directly; it leaves a mark.
printf '#!/bin/sh\necho ran > "%s/marker"\n' "$disc" >"$disc/mark.sh"
chmod +x "$disc/mark.sh"

run_bg "$work/editor.log" "$disc/tobrinedit"
main=$(wait_window "Tobrin EX") || xvfb_fail "the editor's main window never mapped"

# 起動メニューの作成: row 1 and its message.
click_at "$main" 60 48
page=$(wait_window "メニューの編集(１ページ目)") || xvfb_fail "the page editor did not open"
click_at "$page" 136 42
type_into "$page" "Run marker"
click_at "$page" 340 42
type_into "$page" "mark.sh"
click_at "$page" 552 44
message_title="メッセージの編集(1ページ・1番目の編集)"
message=$(wait_window "$message_title") || xvfb_fail "the message editor did not open"
click_at "$message" 130 42
type_into "$message" "Hello from button one"
shot "$message" editor_form3
click_at "$message" 61 260
wait_window_gone "$message_title" || xvfb_fail "the message editor stayed open after OK"
shot "$page" editor_form2
click_at "$page" 365 612
wait_window_gone "メニューの編集(１ページ目)" || xvfb_fail "the page editor stayed open after OK"

# メッセージの作成: the window title.
click_at "$main" 172 48
oneline=$(wait_window "一言メッセージの作成") || xvfb_fail "the one-line dialog did not open"
click_at "$oneline" 328 138
type_into "$oneline" "E2E Menu"
shot "$oneline" editor_form5
click_at "$oneline" 212 252
wait_window_gone "一言メッセージの作成" || xvfb_fail "the one-line dialog stayed open after OK"

# Save beside the editor: no file there yet, so no question.
click_at "$main" 284 232
wait_file "$disc/autorun.inf" 10 || xvfb_fail "saving beside the editor wrote nothing"
settings=$(tr -d '\r' <"$disc/tobrinedit.dat")
for line in "1=Run marker" "1=mark.sh" "1-1=Hello from button one" "windowtitle=E2E Menu"; do
  grep -qxF "$line" <<<"$settings" || xvfb_fail "tobrinedit.dat lacks \"$line\""
done

run_bg "$work/runner.log" "$disc/tobrinplay"
menu=$(wait_window "E2E Menu" 30) || xvfb_fail "the runner's menu never mapped with the saved title"
shot "$menu" runner_new_menu
click_at "$menu" 124 76
wait_file "$disc/marker" 10 || xvfb_fail "button 1 did not run its target"
echo "the runner ran the target of button 1"
