#!/usr/bin/env bash
# A hostile disc played under Xvfb with real input: window and button sizes
# far out of range, a JPEG of a few kilobytes that declares 30000 x 30000
# pixels as the opening and the background, targets and setup paths on
# drives that are not mapped. The menu must still come up within seconds,
# on screen and small in memory, and say what it cannot open; the setup
# window must fail on the unmapped paths without touching the folder the
# runner was started from. Then a disc whose window sizes are too small
# must still give a window that maps.
# Usage: xvfb_hostile_disc.sh RUNNER JPEG ARTIFACT_DIR
set -uo pipefail
runner=$1 picture=$2
ARTIFACTS=$3
# shellcheck source=../e2e/xvfb_lib.sh
source "$(dirname "$0")/../e2e/xvfb_lib.sh"
xvfb_start
title=HostileDisc

# The settings file as the editor writes it: CP932 with CR LF.
write_settings() {
  sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$1/tobrinedit.dat"
}

# Waits for a viewable window titled $1 other than $2; prints its id.
wait_other_window() {
  local id _
  for _ in $(seq 100); do
    for id in $(windows_titled "$1"); do
      [ "$id" != "$2" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}


disc=$work/disc
mkdir -p "$disc" "$work/started-here"
echo "what a mistake would copy" >"$work/started-here/private.txt"
cp "$runner" "$disc/tobrinplay"
# 30000 = 0x7530 as height and width of the first start-of-frame marker.
cp "$picture" "$disc/huge.jpg"
sof=$(LC_ALL=C grep -obUaP '\xff[\xc0-\xc2]' "$disc/huge.jpg" | head -n1 | cut -d: -f1)
[ -n "$sof" ] || xvfb_fail "no start-of-frame marker in $picture"
printf '\x75\x30\x75\x30' | dd of="$disc/huge.jpg" bs=1 seek=$((sof + 5)) conv=notrunc status=none
write_settings "$disc" <<'EOF'
[opening]
enabled=1
syurui=0
file=huge.jpg
resize=1
time=1
[bg]
file=huge.jpg
[haikei]
strech=1
[window]
max=0
[hitokoto]
windowtitle=HostileDisc
[name1]
1=地図にないドライブ
2=巨大なボタン
3=存在しないファイル
[path1]
1=E:\setup.exe
2=x.html
3=nothere.exe
[size]
2=2147483647
[set]
ww=2147483647
wh=100000
bl2=-2147483648
bt2=2147483647
bw2=2147483647
bh2=-5
syoki=R:\x
[button]
kani=1
nakami=1
[set1]
fk1=地図にないコピー元
ff1=Q:\src\
[desk]
fds1=private.txt
EOF

started=$(date +%s%N)
start_for_window "$title" 20 "$work/runner.log" env -C "$work/started-here" "$disc/tobrinplay" ||
  xvfb_fail "the menu never came up"
elapsed=$((($(date +%s%N) - started) / 1000000))
menu=$window_id pid=$last_pid
echo "menu up after ${elapsed} ms (the opening shows for one second)"
[ "$elapsed" -lt 6000 ] || xvfb_fail "the menu took ${elapsed} ms"
read -r w h <<<"$(window_size "$menu")"
echo "menu client area ${w}x${h}"
[ "$w" -le 3840 ] && [ "$h" -le 3840 ] || xvfb_fail "menu of ${w}x${h} is beyond three screens"
peak=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")
echo "peak memory ${peak} kB"
[ "$peak" -lt 1500000 ] || xvfb_fail "the runner took ${peak} kB"
shot "$menu" hostile_menu

# A target on a drive that is not mapped: a box titled like the menu names it.
click_at "$menu" 124 76
box=$(wait_other_window "$title" "$menu") || xvfb_fail "no box for a target that cannot be opened"
shot "$box" hostile_cannot_open
press_key "$box" Return
wait_window_gone_id() {
  local _
  for _ in $(seq 50); do
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable' || return 0
    sleep 0.1
  done
  return 1
}
wait_window_gone_id "$box" || xvfb_fail "the box stayed after Return"

# The pop-up menu on a button (its separator is looked at in the picture).
xdotool mousemove --window "$menu" 124 76 click 3
sleep 0.5
import -window root -crop 420x260+0+0 "$ARTIFACTS/hostile_popup.png" 2>/dev/null &&
  echo "screenshot: $ARTIFACTS/hostile_popup.png"
xdotool key Escape
sleep 0.3

# The setup window above the menu; its item's source and destination lie
# on drives that are not mapped: the shell's error, no shortcut question.
click_at "$menu" 69 340
setup=$(wait_window "簡易セットアップ" 10) || xvfb_fail "no setup window"
lies_above "$setup" "$menu" || xvfb_fail "the setup window lies under the menu"
click_at "$setup" 124 84
question=$(wait_window "確認" 10) || xvfb_fail "no question before the item"
press_key "$question" Return
error=$(wait_window "ファイルまたはフォルダのコピー エラー" 10) ||
  xvfb_fail "no error for a source on a drive that is not mapped"
shot "$error" hostile_copy_error
press_key "$error" Return
sleep 0.5
[ -z "$(windows_titled "確認")" ] || xvfb_fail "a shortcut was offered for an item that failed"
entries=$(find "$work/started-here" | wc -l)
[ "$entries" -eq 2 ] || xvfb_fail "the folder the runner started from changed"
kill -0 "$pid" 2>/dev/null || xvfb_fail "the runner ended"

# Window sizes below anything usable still give a window that maps.
kill "$pid"
wait "$pid" 2>/dev/null
write_settings "$disc" <<'EOF'
[hitokoto]
windowtitle=HostileDisc
[set]
ww=-100
wh=25
EOF
start_for_window "$title" 20 "$work/small.log" "$disc/tobrinplay" ||
  xvfb_fail "a menu with sizes below zero never mapped"
small=$window_id
read -r w h <<<"$(window_size "$small")"
echo "small menu client area ${w}x${h}"
[ "$w" -ge 100 ] && [ "$h" -ge 30 ] || xvfb_fail "menu of ${w}x${h} is too small to use"
echo "the hostile disc played"
