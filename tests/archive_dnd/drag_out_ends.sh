#!/usr/bin/env bash
# Drags out of the archive list view that end without files, with the real
# mouse and keyboard, onto a drop target in another process that reads the
# files already while the pointer passes over it (as pcmanfm does):
# - Esc over the target, and the right button pressed during a left drag,
#   cancel: the target gets no drop, and nothing stays in the work folder;
# - an extraction slower than the target waits after the drop (a slow fake
#   library): the target gets an empty list, the view says so in a box,
#   and nothing stays.
# Usage: drag_out_ends.sh HOST ARTIFACT_DIR
set -uo pipefail
host=$1
ARTIFACTS=$2
. "$(dirname "$0")/../e2e/xvfb_lib.sh"
xvfb_start

"$host" makezip "$work/a.zip" "docs/readme.txt=hello" "top.txt=top level" || xvfb_fail "no archive"
mkdir -p "$work/drags" "$work/copies" "$work/libs"
run_bg "$work/view.log" "$host" view "$work/a.zip" "$work/view_events.log" "$work/drags"
view_pid=$last_pid
view=$(wait_window ArchiveListView) || xvfb_fail "the list view did not map"
run_bg "$work/target.log" "$host" target "$work/target_events.log" "$work/copies" hover
wait_window DropTarget >/dev/null || xvfb_fail "the drop target did not map"

over_target() {  # presses on the first row and brings it over the target
  xdotool mousemove --window "$view" 60 28 sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove --window "$view" 70 34 sleep 0.2 mousemove --window "$view" 400 100 \
    sleep 0.3 mousemove --window "$view" 840 150 sleep 0.3 mousemove --window "$view" 850 160
}
wait_line() {  # until the target's log holds $2 lines matching $1
  for _ in $(seq 100); do
    [ "$(grep -c "$1" "$work/target_events.log")" -ge "$2" ] && return 0
    sleep 0.1
  done
  xvfb_fail "the target did not log $2 of $1"
}
work_empty() {  # the drags' folders are gone (a moment after the drag)
  for _ in $(seq 50); do
    [ -z "$(ls -A "$work/drags")" ] && return 0
    sleep 0.1
  done
  xvfb_fail "$1: left in the work folder: $(ls -AR "$work/drags")"
}

press_key "$view" ctrl+a
over_target
wait_line '^hover' 1
xdotool key Escape sleep 0.3 mouseup 1
sleep 1
work_empty "Esc"

over_target
wait_line '^hover' 2
xdotool mousedown 3 sleep 0.3 mouseup 3 sleep 0.2 mouseup 1
sleep 1
work_empty "both buttons"
! grep -q '^dropped' "$work/target_events.log" || xvfb_fail "a cancelled drag was dropped"
[ -z "$(ls -A "$work/copies")" ] || xvfb_fail "the target copied: $(ls -A "$work/copies")"

# A library that takes 8 s per member: the drop cannot be served in time.
kill "$view_pid"
cp "$(dirname "$host")/Fake32.dll" "$work/libs/Yz1.dll" || xvfb_fail "no fake library"
printf 'progress 1\ndelay 8000\nmember big.dat 9\nmember b.dat 1\n' >"$work/fake.txt"
echo fake >"$work/slow.yz1"
wait_window_gone ArchiveListView 10 || xvfb_fail "the first view did not go"
DND_LIBS=$work/libs TOBRIN_FAKE_ARCHIVER=$work/fake.txt run_bg "$work/view2.log" \
  "$host" view "$work/slow.yz1" "$work/view_events.log" "$work/drags"
view=$(wait_window ArchiveListView) || xvfb_fail "the slow view did not map"
press_key "$view" ctrl+a
ids=$(visible_ids)
over_target
sleep 0.5
xdotool mouseup 1
wait_line '^dropped' 1
[ "$(grep '^dropped' "$work/target_events.log")" = "dropped 0" ] ||
  xvfb_fail "the slow drag offered: $(tail -n3 "$work/target_events.log")"
box=$(new_window "$ids") || xvfb_fail "no box after the slow drop"
sleep 0.5
shot "$box" archive_drag_out_too_slow
press_key "$box" Return
work_empty "the slow drag"
echo "PASS"
