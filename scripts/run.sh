#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Arguments are
# passed to the program (see `velk-editor --help`).
#
# Where the machine has no ALSA sequencer the simulated Brontisel S stands in
# for the synth. With no display the program runs on a virtual one, saves a
# picture of the window once the device is shown, says where, and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}" --target velk-editor
program="$build/librarian/velk-editor"

args=("$@")
simulated=no
for a in "${args[@]}"; do
  case "$a" in --simulate*) simulated=yes ;; esac
done
if [ "$simulated" = no ] && [ ! -e /dev/snd/seq ]; then
  echo "run.sh: no ALSA sequencer (/dev/snd/seq): using the simulated Brontisel S" >&2
  args+=(--simulate)
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" "${args[@]}"
fi

# No display: run on a virtual one and keep a picture of the explorer.
shot=${VELK_SCREENSHOT:-$PWD/$build/velk-screenshot.png}
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  chmod 700 "$XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
fi
echo "run.sh: no display: running on a virtual display (Xvfb)" >&2
NO_AT_BRIDGE=1 GDK_BACKEND=x11 xvfb-run -a -s "-screen 0 1280x900x24" \
  "$program" "${args[@]}" --screenshot="$shot"
echo "run.sh: screenshot of the explorer: $shot"
