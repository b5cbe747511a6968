#!/usr/bin/env bash
# A second start of the program while the first runs: it asks the first to
# come to the front, the first acknowledges, and the second ends with 0
# without a window of its own. Runs under tests/guitest/run-with-display.sh
# (private display, HOME and runtime folder).
set -u
program=$1
work=$(mktemp -d)
first_pid=""
cleanup() {
  [ -n "$first_pid" ] && kill "$first_pid" 2>/dev/null && wait "$first_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

"$program" --simulate --wire-rate=0 2>"$work/first.log" &
first_pid=$!
# The first listens once its window is shown.
socket="$XDG_RUNTIME_DIR/velk-editor.sock"
for _ in $(seq 1 400); do
  [ -S "$socket" ] && break
  kill -0 "$first_pid" 2>/dev/null || { echo "first instance ended"; cat "$work/first.log"; exit 1; }
  sleep 0.05
done
[ -S "$socket" ] || { echo "first instance never listened"; exit 1; }

"$program" --simulate 2>"$work/second.log"
rc=$?
cat "$work/second.log"
[ "$rc" -eq 0 ] || { echo "second start ended with $rc"; exit 1; }
grep -q "brought it to the front" "$work/second.log" || { echo "first instance did not acknowledge"; exit 1; }
kill -0 "$first_pid" 2>/dev/null || { echo "first instance is gone"; exit 1; }
echo "second start raised the first and ended with 0"
