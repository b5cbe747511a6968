# Helpers for tests that run the program itself on the private display of
# tests/guitest/run-with-display.sh (sourced; needs xwininfo).

# Waits until the program (pid $1, standard error in $2) says the explorer
# is shown; fails when it ends first or after $3 seconds (default 60).
wait_for_explorer() {
  local pid=$1 log=$2 limit=${3:-60}
  local end=$((SECONDS + limit))
  while [ "$SECONDS" -lt "$end" ]; do
    grep -q "explorer shown" "$log" && return 0
    kill -0 "$pid" 2>/dev/null || { echo "the program ended:"; cat "$log"; return 1; }
    sleep 0.05
  done
  echo "the explorer was not shown within $limit s:"; cat "$log"; return 1
}

# Ends the program (pid $1) at once, whatever box it shows.
end_program() {
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

# The names of the windows on the screen (top-level and mapped), one a line.
shown_windows() {
  xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | while read -r id; do
    info=$(xwininfo -id "$id" 2>/dev/null) || continue
    grep -q "Map State: IsViewable" <<<"$info" || continue
    sed -n 's/^xwininfo: Window id: 0x[0-9a-f]* //p' <<<"$info"
  done
}

# Starts openbox on the display and waits until it manages the screen; its
# pid is left in $wm_pid. Fails when it does not come up within 10 s.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  wm_pid=$!
  local end=$((SECONDS + 10))
  while [ "$SECONDS" -lt "$end" ]; do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    kill -0 "$wm_pid" 2>/dev/null || { echo "the window manager (openbox) ended"; return 1; }
    sleep 0.05
  done
  echo "the window manager (openbox) did not come up"; return 1
}

# Waits until the main window is mapped on the screen (also inside a window
# manager's frame); fails after $1 s.
wait_for_main_window() {
  local end=$((SECONDS + ${1:-30}))
  while [ "$SECONDS" -lt "$end" ]; do
    xwininfo -name "Brontisel SoundEditor" 2>/dev/null | grep -q "Map State: IsViewable" && return 0
    sleep 0.05
  done
  echo "the main window was not mapped"; return 1
}
