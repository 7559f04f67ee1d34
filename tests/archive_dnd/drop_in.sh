#!/usr/bin/env bash
# Drags a file and a folder from a drag source in another process, with the
# real mouse, onto the archive list view: both must be compressed into the
# open ZIP archive, the folder with its folder name, and the view must show
# the new members. Then a file named "*.txt" beside "secret.txt": only that
# one file may be added.
# Usage: drop_in.sh HOST ARTIFACT_DIR
set -uo pipefail
host=$1
ARTIFACTS=$2
. "$(dirname "$0")/../e2e/xvfb_lib.sh"
xvfb_start

"$host" makezip "$work/a.zip" "old.txt=old" || xvfb_fail "no archive"
mkdir -p "$work/src/photos" "$work/drags"
echo one >"$work/src/new1.txt"
echo picture >"$work/src/photos/p.jpg"
run_bg "$work/view.log" "$host" view "$work/a.zip" "$work/view_events.log" "$work/drags"
view=$(wait_window ArchiveListView) || xvfb_fail "the list view did not map"
run_bg "$work/source.log" "$host" source "$work/src/new1.txt" "$work/src/photos"
source_pid=$last_pid
wait_window DragSource >/dev/null || xvfb_fail "the drag source did not map"
: >"$work/view_events.log"

drag_onto_view() {  # then waits until the view logs a member matching $1
  xdotool mousemove --window "$view" 850 100 sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove --window "$view" 860 110 sleep 0.2 mousemove --window "$view" 880 120 sleep 0.2 \
    mousemove --window "$view" 500 150 sleep 0.3 mousemove --window "$view" 300 200 sleep 0.3 \
    mousemove --window "$view" 290 210 sleep 0.5 mouseup 1
  for _ in $(seq 100); do
    grep -q "$1" "$work/view_events.log" 2>/dev/null && return
    sleep 0.1
  done
}
drag_onto_view 'photos'
grep -qx 'member old.txt' "$work/view_events.log" || xvfb_fail "old member lost"
grep -qx 'member new1.txt' "$work/view_events.log" || xvfb_fail "new1.txt not added"
grep -qx 'member photos\\p.jpg' "$work/view_events.log" || xvfb_fail "photos\\p.jpg not added"
grep -q '^drag ended 1' "$work/source.log" || xvfb_fail "the drop did not end as a copy"
shot "$view" archive_list_view_after_drop

kill "$source_pid"
wait_window_gone DragSource 10 || xvfb_fail "the first source did not go"
mkdir -p "$work/src2"
echo star >"$work/src2/*.txt"
echo secret >"$work/src2/secret.txt"
echo hidden >"$work/src2/.hidden_private"
run_bg "$work/source2.log" "$host" source "$work/src2/*.txt"
wait_window DragSource >/dev/null || xvfb_fail "the second drag source did not map"
: >"$work/view_events.log"
drag_onto_view 'member \*.txt'
grep -qx 'member \*.txt' "$work/view_events.log" || xvfb_fail "*.txt not added"
! grep -q 'secret\|hidden' "$work/view_events.log" || xvfb_fail "other files were added"
echo "PASS"
