# Shared by the end-to-end scripts that drive the real programs under Xvfb
# with real input (XTest through xdotool). Source it, then:
#   xvfb_start                      # own X server, DISPLAY set, $work made
#   id=$(wait_window "タイトル")     # a viewable top-level window, by title
#   windows_titled "タイトル"        # every such window now, one id a line
#   start_for_window "タイトル" 20 LOG CMD...  # run_bg, then $window_id
#   click_at "$id" X Y [button]     # client pixels of that window
#   drag_from_to "$id" X1 Y1 X2 Y2
#   type_into "$id" "ascii text"; press_key "$id" Escape
#   shot "$id" name                 # PNG into $ARTIFACTS (default: $work)
#   ids=$(visible_ids); ...; id=$(new_window "$ids")   # a window opened since
#   ini_value FILE SECTION KEY      # a value of a saved settings file
#   wait_file PATH SECONDS          # until the file exists and is not empty
#   lies_above "$upper" "$lower"; transient_for "$id"
# Scripts exit 77 (skipped) when a tool is missing, 1 on failure.
# Without a window manager windows sit where the program puts them, and a
# window's client area is the window itself.

xvfb_need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

xvfb_fail() {
  echo "FAIL: $*"
  local log
  for log in "$work"/*.log; do
    [ -s "$log" ] && { echo "--- $log"; tail -n 40 "$log"; }
  done
  exit 1
}

_xvfb_pids=()
xvfb_cleanup() {
  local pid
  for pid in "${_xvfb_pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${_xvfb_pids[@]}"; do wait "$pid" 2>/dev/null; done
  [ -n "${work:-}" ] && [ -z "${KEEP_WORK:-}" ] && rm -rf "$work"
}

# Background a program and have it killed at exit: run_bg LOG CMD ARGS...
run_bg() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 &
  _xvfb_pids=("$!" "${_xvfb_pids[@]}")
  last_pid=$!
}

xvfb_start() {
  xvfb_need Xvfb xwininfo xdotool
  work=$(mktemp -d "${TMPDIR:-/tmp}/tobrin-xvfb.XXXXXX")
  trap xvfb_cleanup EXIT
  # -noreset: by default the server resets when its last client leaves,
  # and a program connecting during that reset is refused.
  # A display number drawn from a high range, not the lowest free one: a
  # number another test's server has just given up may still lose its
  # socket file to that server's exit, under the new server's feet.
  local n="" pid _attempt _
  for _attempt in $(seq 10); do
    n=$(( 100 + RANDOM % 800 ))
    [ -e "/tmp/.X$n-lock" ] && { n=""; continue; }
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    pid=$!
    _xvfb_pids+=("$pid")
    for _ in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      # Ready only once it answers, and it must be our server that answers:
      # another test may have drawn the same number a moment earlier.
      if xwininfo -root -display ":$n" >/dev/null 2>&1; then
        [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$pid" ] && break 2
        break
      fi
      sleep 0.1
    done
    n=""
  done
  [ -n "$n" ] || { echo "SKIP: Xvfb did not start"; cat "$work/xvfb.log"; exit 77; }
  export DISPLAY=":$n" QT_QPA_PLATFORM=xcb
  ARTIFACTS=${ARTIFACTS:-$work}
  mkdir -p "$ARTIFACTS"
}

# The viewable top-level windows titled exactly $1, one id a line.
windows_titled() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$(printf '%s' "$1" |
      sed 's/[][\.*^$()+?{}|]/\\&/g')\$" 2>/dev/null); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
  done
}

# The id of the viewable window titled exactly $1, if there is one now.
shown_window() {
  local id
  id=$(windows_titled "$1" | head -n1)
  [ -n "$id" ] && echo "$id"
}

# The id of the viewable window titled exactly $1; waits up to $2 s (20).
wait_window() {
  local _ tries
  # Tenths of a second, at least one look (the wait may be a fraction).
  tries=$(awk -v s="${2:-20}" 'BEGIN { t = int(s * 10); print (t < 1 ? 1 : t) }')
  for _ in $(seq "$tries"); do
    shown_window "$1" && return 0
    sleep 0.1
  done
  return 1
}

# The ids of the windows shown now, sorted (for new_window).
visible_ids() { xdotool search --onlyvisible --name '.' 2>/dev/null | sort; }

# A viewable window that was not among the ids in $1 (visible_ids taken
# before); waits up to 10 s. The common dialogs carry the toolkit's titles,
# so they are found this way.
new_window() {
  local before=$1 id _
  for _ in $(seq 100); do
    for id in $(comm -13 <(echo "$before") <(visible_ids)); do
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# The value of key $3 in section [$2] of the CP932 settings file $1, as UTF-8.
ini_value() {
  iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | awk -v section="[$2]" -v key="$3" '
    /^\[/ { inside = ($0 == section); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'
}

# Succeeds once file $1 exists and is not empty; waits up to $2 s.
wait_file() {  # path, seconds
  local _
  for _ in $(seq $(( $2 * 10 ))); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# Starts a program (run_bg) and waits up to $2 s for its window titled $1,
# whose id it leaves in $window_id (call it without $(...), so that the
# program is killed at exit). A program that could not reach the server at
# all is started once more. Usage: start_for_window TITLE SECONDS LOG CMD...
start_for_window() {
  local title=$1 seconds=$2 log=$3 attempt _
  shift 3
  window_id=""
  for attempt in 1 2; do
    run_bg "$log" "$@"
    for _ in $(seq "$seconds"); do
      window_id=$(wait_window "$title" 1) && return 0
      kill -0 "$last_pid" 2>/dev/null || break
    done
    grep -q 'could not connect to display' "$log" || return 1
    echo "the program could not reach $DISPLAY (attempt $attempt)"
    sleep 1
  done
  return 1
}

# Succeeds once no viewable window has that title (waits up to $2 s, 10).
wait_window_gone() {
  local tries=$(( ${2:-10} * 10 )) _
  for _ in $(seq "$tries"); do
    shown_window "$1" >/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# Succeeds when window $1 lies above window $2 among the top-level windows
# (xwininfo lists them from the top down).
lies_above() {
  local order upper lower
  order=$(xwininfo -root -children | awk '/^ +0x/ {print $1}' |
    while read -r id; do printf '%d\n' "$id"; done)
  upper=$(grep -nx "$(printf '%d' "$1")" <<<"$order" | cut -d: -f1)
  lower=$(grep -nx "$(printf '%d' "$2")" <<<"$order" | cut -d: -f1)
  [ -n "$upper" ] && [ -n "$lower" ] && [ "$upper" -lt "$lower" ]
}

# The window that $1 is transient for (WM_TRANSIENT_FOR), as a number.
transient_for() {
  xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | awk '/window id/ {print $NF}' |
    while read -r id; do printf '%d\n' "$id"; done
}

window_size() {  # prints "W H"
  xwininfo -id "$1" | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}'
}

click_at() {
  local id=$1 x=$2 y=$3 button=${4:-1}
  xdotool mousemove --window "$id" "$x" "$y" sleep 0.1 click "$button"
  sleep 0.2
}

drag_from_to() {
  local id=$1 x1=$2 y1=$3 x2=$4 y2=$5
  xdotool mousemove --window "$id" "$x1" "$y1" sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove --window "$id" $(( (x1 + x2) / 2 )) $(( (y1 + y2) / 2 )) sleep 0.1 \
    mousemove --window "$id" "$x2" "$y2" sleep 0.1 mouseup 1
  sleep 0.2
}

# Keyboard input goes to the focused window: focus it first.
type_into() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  xdotool type --delay 20 "$2"
  sleep 0.2
}

press_key() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  xdotool key "$2"
  sleep 0.2
}

shot() {
  command -v import >/dev/null || return 0
  sleep 0.3  # let the paint finish
  import -window "$1" "$ARTIFACTS/$2.png" && echo "screenshot: $ARTIFACTS/$2.png"
}
