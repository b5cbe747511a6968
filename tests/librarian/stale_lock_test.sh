#!/usr/bin/env bash
# A start after an instance was killed, whose process id now belongs to
# another live process (a sleeping child stands in for it): the start comes
# up with its window instead of ending as if another instance ran, and no
# file lies in the home folder. Runs under tests/guitest/run-with-display.sh.
set -u
program=$1
. "$(dirname "$0")/program_run.sh"
work=$(mktemp -d)
pid=""
sleeper=""
cleanup() {
  [ -n "$pid" ] && end_program "$pid"
  [ -n "$sleeper" ] && kill "$sleeper" 2>/dev/null && wait "$sleeper" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

"$program" --simulate --wire-rate=0 2>"$work/first.log" &
pid=$!
wait_for_explorer "$pid" "$work/first.log" || exit 1
end_program "$pid"
pid=""

# What the killed instance left behind now names a live process.
sleep 600 &
sleeper=$!
while read -r lock; do
  printf '%d' "$sleeper" >"$lock"
done < <(find "$HOME" "$XDG_RUNTIME_DIR" -maxdepth 1 -type f \( -name 'velk-editor*' -o -name '*.lock' \))
echo "left behind:"; ls -la "$HOME" "$XDG_RUNTIME_DIR"

"$program" --simulate --wire-rate=0 2>"$work/second.log" &
pid=$!
wait_for_explorer "$pid" "$work/second.log" || exit 1
cat "$work/second.log"
leftovers=$(find "$HOME" -name 'velk*')
[ -z "$leftovers" ] || { echo "files in the home folder: $leftovers"; exit 1; }

# The new instance is the one a further start brings to the front.
"$program" --simulate 2>"$work/third.log"
grep -q "brought it to the front" "$work/third.log" || { echo "the third start did not raise it:"; cat "$work/third.log"; exit 1; }
echo "the start after a killed instance came up and is raised by the next"
