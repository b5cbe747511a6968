#!/usr/bin/env bash
# Lays out every C++ file by the root's .clang-format; with --check, changes
# nothing and fails when a file is not laid out so (CI runs it that way).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || scripts/install-deps.sh
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run -Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
