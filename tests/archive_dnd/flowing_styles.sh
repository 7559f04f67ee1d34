#!/usr/bin/env bash
# The list and icon styles with the real mouse: the list style lays the
# members top to bottom in several columns, the icon style left to right
# in rows; a click and a shift-click select a run that spans a column (or
# a row), and dragging it onto a target in another process delivers
# exactly those members. Screenshots of both styles.
# Usage: flowing_styles.sh HOST ARTIFACT_DIR
set -uo pipefail
host=$1
ARTIFACTS=$2
. "$(dirname "$0")/../e2e/xvfb_lib.sh"
xvfb_start

members=()
for i in $(seq 100 159); do members+=("file_$i.txt=text $i"); done
"$host" makezip "$work/a.zip" "${members[@]}" || xvfb_fail "no archive"

run_style() {  # style
  local style=$1 log="$work/$1_events.log" copies="$work/$1_copies"
  mkdir -p "$work/$style.drags" "$copies"
  run_bg "$work/$style.log" "$host" view "$work/a.zip" "$log" "$work/$style.drags" "$style"
  local view_pid=$last_pid
  local view
  view=$(wait_window ArchiveListView) || xvfb_fail "$style: the list view did not map"
  run_bg "$work/${style}_target.log" "$host" target "$work/${style}_target_events.log" "$copies"
  local target_pid=$last_pid
  wait_window DropTarget >/dev/null || xvfb_fail "$style: the drop target did not map"
  # row N LEFT TOP RIGHT BOTTOM, for each row on screen
  read -r _ _ l0 t0 _ _ < <(grep '^row 0 ' "$log")
  read -r _ _ l1 t1 _ _ < <(grep '^row 1 ' "$log")
  if [ "$style" = list ]; then
    [ "$l1" = "$l0" ] && [ "$t1" -gt "$t0" ] || xvfb_fail "list: row 1 not under row 0"
    next=$(awk -v l="$l0" '$1 == "row" && $3 > l {print $2; exit}' "$log")
  else
    [ "$t1" = "$t0" ] && [ "$l1" -gt "$l0" ] || xvfb_fail "icon: row 1 not beside row 0"
    next=$(awk -v t="$t0" '$1 == "row" && $4 > t {print $2; exit}' "$log")
  fi
  [ -n "$next" ] || xvfb_fail "$style: the members do not flow into a second line"
  read -r _ _ ln tn rn bn < <(grep "^row $next " "$log")
  read -r _ _ l2 t2 r2 b2 < <(grep '^row 2 ' "$log")
  [ "$(grep -c '^row ' "$log")" -gt $(( next + 2 )) ] || xvfb_fail "$style: one line only"

  click_at "$view" $(( l1 + 12 )) $(( t1 + 8 ))
  xdotool keydown shift mousemove --window "$view" $(( ln + 12 )) $(( tn + 8 )) click 1 keyup shift
  sleep 0.3
  shot "$view" "archive_list_view_$style"
  local x=$(( l2 + 12 )) y=$(( t2 + 8 ))
  xdotool mousemove --window "$view" "$x" "$y" sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove --window "$view" $(( x + 8 )) $(( y + 6 )) sleep 0.2 mousemove --window "$view" 400 100 \
    sleep 0.3 mousemove --window "$view" 840 150 sleep 0.3 mousemove --window "$view" 850 160 \
    sleep 0.5 mouseup 1
  for _ in $(seq 100); do
    grep -q '^dropped' "$work/${style}_target_events.log" && break
    sleep 0.1
  done
  grep -q "^dropped $next\$" "$work/${style}_target_events.log" ||
    xvfb_fail "$style: not $next members dropped: $(tail -n3 "$work/${style}_target_events.log")"
  [ "$(cat "$copies/file_101.txt")" = "text 101" ] || xvfb_fail "$style: file_101.txt not copied"
  [ -e "$copies/file_$(( 100 + next )).txt" ] || xvfb_fail "$style: the last selected not copied"
  [ ! -e "$copies/file_100.txt" ] || xvfb_fail "$style: an unselected member was dropped"
  kill "$view_pid" "$target_pid" 2>/dev/null
  wait "$view_pid" "$target_pid" 2>/dev/null
}

run_style list
run_style icon
echo "PASS"
