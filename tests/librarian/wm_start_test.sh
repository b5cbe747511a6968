#!/usr/bin/env bash
# A start under a window manager, as on a desktop: the main window comes up
# and GTK reports nothing on standard error (no widget is ever given a
# negative size while the window is first laid out). Runs under
# tests/guitest/run-with-display.sh.
set -u
program=$1
. "$(dirname "$0")/program_run.sh"
work=$(mktemp -d)
pid=""
wm_pid=""
cleanup() {
  [ -n "$pid" ] && end_program "$pid"
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

start_window_manager || exit 1
"$program" --simulate --wire-rate=0 2>"$work/log" &
pid=$!
wait_for_explorer "$pid" "$work/log" || exit 1
wait_for_main_window || exit 1
# The window manager's frame and its first configure settle after mapping.
sleep 1
cat "$work/log"
if grep -E '(Gtk|Gdk|GLib[-A-Za-z]*)-(CRITICAL|WARNING)' "$work/log" >/dev/null; then
  echo "GTK reported faults on a start under a window manager"; exit 1
fi
echo "the main window came up under a window manager and GTK reported nothing"
