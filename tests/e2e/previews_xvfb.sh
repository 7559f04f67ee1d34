#!/usr/bin/env bash
# A disc's settings loaded into the real editor under Xvfb, with real input:
# the simulation reports a click on button 1 in a box and does not run its
# target (a script that would leave a marker); the setup preview's item 1
# opens the operation check and copies nothing. The runner then plays the
# same disc: its menu window must have the simulation's size. Screenshots
# of both menus, the box, the preview and the check go to ARTIFACT_DIR.
# Usage: previews_xvfb.sh BIN_DIR TEST_DATA ARTIFACT_DIR
set -uo pipefail
bin=$1 data=$2
export ARTIFACTS=$3
source "$(dirname "$0")/xvfb_lib.sh"
xvfb_need iconv comm
xvfb_start

disc=$work/disc
mkdir -p "$disc/data"
echo "sample" >"$disc/data/a.txt"
cp "$data/runner/pic200x150.jpg" "$disc/back.jpg"
printf '#!/bin/sh\ntouch "%s/ran"\n' "$disc" >"$disc/start.sh"
chmod +x "$disc/start.sh"
cp "$bin/tobrinedit" "$bin/tobrinplay" "$disc/"
sed 's/$/\r/' <<'EOF' | iconv -f UTF-8 -t CP932 >"$disc/tobrinedit.dat"
[name1]
1=はじめる
2=終了
[path1]
1=start.sh
2=end
[name2]
1=二ページ目
[path2]
1=start.sh
[bg]
file=back.jpg
color=3
[back]
color=2
[button]
color=1
kani=1
nakami=1
2page=1
[haikei]
strech=0
[hitokoto]
hit1=ようこそ
hit2=ボタンを押してください
iro=2
windowtitle=テストディスク
[mes1]
1-1=始めます
cm1=1
[set]
syoki=D:\installed
[set1]
fk1=データをコピー
ff1=data\
[desk]
fds1=data\a.txt
[size]
1=12
2=12
EOF
export TOBRIN_DRIVES="D=$disc"
cd "$disc" || exit 1

run_bg "$work/editor.log" ./tobrinedit
editor=$last_pid
main=$(wait_window "Tobrin EX") || xvfb_fail "the editor's main window never mapped"
click_at "$main" 60 232  # 読み込み
question=$(wait_window "確認") || xvfb_fail "loading asked nothing"
press_key "$question" Return
wait_window_gone "確認" || xvfb_fail "the question stayed open"

click_at "$main" 284 136  # シミュレーションモード
sim=$(wait_window "テストディスク") || xvfb_fail "the simulation did not open"
xdotool mousemove --window "$sim" 450 250 sleep 0.2  # the picture: the normal look
shot "$sim" previews_sim_menu
sim_size=$(window_size "$sim")

before=$(visible_ids)
click_at "$sim" 124 76  # button 1
box=$(new_window "$before") || xvfb_fail "a click on button 1 reported nothing"
shot "$box" previews_sim_report
press_key "$box" Return
for _ in $(seq 30); do xwininfo -id "$box" 2>/dev/null | grep -q IsViewable || break; sleep 0.1; done
sleep 0.5
[ -e "$disc/ran" ] && xvfb_fail "the simulation ran the target of button 1"

click_at "$sim" 77 380  # ２ページ目へ
shot "$sim" previews_sim_page2
click_at "$sim" 77 380

click_at "$sim" 69 340  # 簡易セットアップ
preview=$(wait_window "簡易セットアップ") || xvfb_fail "the setup preview did not open"
shot "$preview" previews_setup
click_at "$preview" 124 76  # item 1
check=$(wait_window "動作の確認") || xvfb_fail "item 1 did not open the operation check"
shot "$check" previews_operation_check
press_key "$check" Return
wait_window_gone "動作の確認" || xvfb_fail "the operation check stayed open"
[ -e "$disc/installed" ] && xvfb_fail "the preview installed item 1"
[ -e "$disc/ran" ] && xvfb_fail "a target ran"
kill "$editor"
wait "$editor" 2>/dev/null
wait_window_gone "テストディスク" || xvfb_fail "the editor did not end"

# The runner on the same disc: the same menu window.
run_bg "$work/runner.log" ./tobrinplay
menu=$(wait_window "テストディスク" 20) || xvfb_fail "the runner's menu never mapped"
xdotool mousemove --window "$menu" 450 250 sleep 0.2
shot "$menu" previews_runner_menu
runner_size=$(window_size "$menu")
[ "$runner_size" = "$sim_size" ] ||
  xvfb_fail "the simulation is $sim_size, the runner's menu $runner_size"
echo "simulation and runner both $sim_size; nothing ran or was copied"
