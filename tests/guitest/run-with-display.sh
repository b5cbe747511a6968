#!/usr/bin/env bash
# Runs one GUI test process on a private X server with a private HOME and XDG
# folders, so parallel tests share no pointer, focus, clipboard or settings.
# VELK_TEST_DISPLAY=:N runs on that display instead (to watch a test).
set -u
scratch=$(mktemp -d "${TMPDIR:-/tmp}/velk-gui.XXXXXX")
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; then
    # Xvfb ends at once on TERM; it is not waited for without end.
    for _ in $(seq 1 100); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
    kill -KILL "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

mkdir -p "$scratch/home" "$scratch/config" "$scratch/data" "$scratch/cache" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export XDG_CACHE_HOME="$scratch/cache" XDG_RUNTIME_DIR="$scratch/runtime"
export NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory GDK_BACKEND=x11
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS

if [ -n "${VELK_TEST_DISPLAY:-}" ]; then
  export DISPLAY="$VELK_TEST_DISPLAY"
else
  # -displayfd picks a free display number without the races of xvfb-run -a.
  exec 3>"$scratch/display"
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset >"$scratch/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 1 600); do  # up to 30 s on a loaded machine
    [ -s "$scratch/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$scratch/xvfb.log" >&2; exit 1; }
    sleep 0.05
  done
  [ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$scratch/display")"
fi

"$@"
