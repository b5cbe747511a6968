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
