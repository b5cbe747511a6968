#!/usr/bin/env bash
# Draws every window registered with tools/render-windows into PNG files,
# on a private X server.
# Usage: scripts/render-windows.sh OUTDIR [NAME...]   (names: --list)
# The build folder is $BUILD_DIR (as for scripts/test.sh), else build/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
exec "$root/tests/guitest/run-with-display.sh" "$build/tools/render-windows" "$@"
