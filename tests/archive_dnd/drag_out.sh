#!/usr/bin/env bash
# Drags every member of a ZIP out of the archive list view, with the real
# mouse, onto a drop target in another process. The target must get the
# top-level file and folder, extracted whole, from a folder of the drag's
# own inside the work folder; the hostile members ("../", absolute) must
# leave nothing outside that folder.
# Usage: drag_out.sh HOST ARTIFACT_DIR
set -uo pipefail
host=$1
ARTIFACTS=$2
. "$(dirname "$0")/../e2e/xvfb_lib.sh"
xvfb_start

"$host" makezip "$work/a.zip" "docs/readme.txt=hello" "docs/sub/deep.txt=deep" \
  "top.txt=top level" "../evil.txt=outside" "/abs.txt=absolute" || xvfb_fail "no archive"
mkdir -p "$work/box/drags" "$work/copies"
run_bg "$work/view.log" "$host" view "$work/a.zip" "$work/view_events.log" "$work/box/drags"
view=$(wait_window ArchiveListView) || xvfb_fail "the list view did not map"
run_bg "$work/target.log" "$host" target "$work/target_events.log" "$work/copies"
wait_window DropTarget >/dev/null || xvfb_fail "the drop target did not map"

# Rows lie 18 pixels apart below the header: 28, 46, 64, ...
drag_rows() {  # from the row at y $1 onto the target
  xdotool mousemove --window "$view" 60 "$1" sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove --window "$view" 70 $(( $1 + 6 )) sleep 0.2 mousemove --window "$view" 400 100 \
    sleep 0.3 mousemove --window "$view" 840 150 sleep 0.3 mousemove --window "$view" 850 160 \
    sleep 0.5 mouseup 1
}
wait_drops() {  # until the target logged $1 drops
  for _ in $(seq 100); do
    [ "$(grep -c '^dropped' "$work/target_events.log")" -ge "$1" ] && return 0
    sleep 0.1
  done
  xvfb_fail "the target got no drop $1"
}

# The three plain members: the first row, then shift and the third.
click_at "$view" 60 28
xdotool keydown shift mousemove --window "$view" 60 64 click 1 keyup shift
sleep 0.3
shot "$view" archive_list_view_selected
drag_rows 46
wait_drops 1

drag_folder=$(find "$work/box/drags" -mindepth 1 -maxdepth 1 -type d -name 'drag-*')
[ -n "$drag_folder" ] && [ "$(echo "$drag_folder" | wc -l)" = 1 ] ||
  xvfb_fail "not one drag folder: $drag_folder"
grep '^url ' "$work/target_events.log" | sed 's/^url //' >"$work/urls"
[ "$(wc -l <"$work/urls")" = 2 ] || xvfb_fail "not two paths offered: $(cat "$work/urls")"
grep -qx "$drag_folder/docs" "$work/urls" || xvfb_fail "docs not offered"
grep -qx "$drag_folder/top.txt" "$work/urls" || xvfb_fail "top.txt not offered"
[ "$(cat "$work/copies/docs/sub/deep.txt")" = deep ] || xvfb_fail "docs/sub/deep.txt not copied"
[ "$(cat "$work/copies/top.txt")" = "top level" ] || xvfb_fail "top.txt not copied"

# Every member, the hostile ones too: the extraction refuses them, so the
# target gets nothing, and nothing may land outside the work folder.
press_key "$view" ctrl+a
drag_rows 46
wait_drops 2
[ "$(tail -n1 "$work/target_events.log")" = "dropped 0" ] ||
  xvfb_fail "the hostile drag offered: $(tail -n3 "$work/target_events.log")"
[ "$(ls -A "$work/box/drags")" = "$(basename "$drag_folder")" ] ||
  xvfb_fail "left in the work folder: $(ls -A "$work/box/drags")"
[ "$(ls -A "$work/box")" = drags ] || xvfb_fail "written above the work folder: $(ls -A "$work/box")"
[ ! -e "$work/evil.txt" ] || xvfb_fail "a ../ member was written"
[ ! -e /abs.txt ] || [ "$(cat /abs.txt)" != absolute ] || xvfb_fail "an absolute member was written"
echo "PASS"
