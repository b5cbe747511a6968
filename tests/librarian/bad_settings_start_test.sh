#!/usr/bin/env bash
# A start with a settings file damaged by hand: the main window comes up and
# no box or assertion dialog appears; the bad lines are reported on standard
# error. Runs under tests/guitest/run-with-display.sh (private display, HOME,
# config and runtime folders).
set -u
program=$1
. "$(dirname "$0")/program_run.sh"
work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && end_program "$pid"
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$XDG_CONFIG_HOME/VELK"
printf '[Main]\n=value\nViewStyleDev\n[Broken\nSortDevColumn=2\n' >"$XDG_CONFIG_HOME/VELK/Brontisel SoundEditor.conf"

"$program" --simulate --wire-rate=0 2>"$work/log" &
pid=$!
wait_for_explorer "$pid" "$work/log" || exit 1
# Boxes of logged errors come up when the program is idle: give them time.
sleep 2
windows=$(shown_windows)
echo "windows shown:"; echo "$windows"
[ "$(grep -c . <<<"$windows")" -eq 1 ] && grep -qx '"Brontisel SoundEditor"' <<<"$windows" ||
  { echo "expected the main window alone"; cat "$work/log"; exit 1; }
for line in 2 3 4; do
  grep -q "line $line ignored" "$work/log" || { echo "line $line not reported"; cat "$work/log"; exit 1; }
done
echo "the main window came up alone; the bad lines were reported on standard error"
