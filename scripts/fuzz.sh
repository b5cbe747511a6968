#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own build folder and runs
# each for a bounded time (FUZZ_SECONDS, default 60); a crash, a slow input
# (over 1 s) or a leak ends the script with a nonzero status.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
CC=clang CXX=clang++ cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELK_BUILD_FUZZ=ON -DVELK_BUILD_BENCH=OFF -DVELK_BUILD_GUI=OFF >/dev/null

mapfile -t targets < <(cmake --build "$build" --target help | sed -n 's/^\(fuzz_[A-Za-z0-9_]*\):.*/\1/p' | sort -u)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets" >&2; exit 1; }
cmake --build "$build" -j4 --target "${targets[@]}"

# Tiny seed files for the Standard MIDI File reader: the dump files' shape
# (one system exclusive event), running status, two tracks, a track name.
seed_smf() {
  local dir=$1
  mkdir -p "$dir"
  printf 'MThd\0\0\0\6\0\0\0\1\1\340MTrk\0\0\0\16\0\360\7\102\60\130\100\1\2\367\0\377\57\0' >"$dir/sysex.mid"
  printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\0\0\0\17\0\220\74\100\12\76\100\0\377\1\0\5\74\0\0\377\57\0' >"$dir/running.mid"
  printf 'MThd\0\0\0\6\0\1\0\2\1\340MTrk\0\0\0\14\0\377\3\4Lead\0\377\57\0MTrk\0\0\0\14\0\300\5\201\0\360\1\367\0\377\57\0' >"$dir/tracks.mid"
  printf 'MThd\0\0\0\6\0\0\0\1\1\340MTrk\0\0\0\17\0\360\3\102\60\20\2\367\2\1\367\0\377\57\0' >"$dir/packet.mid"
}

for target in "${targets[@]}"; do
  binary=$(find "$build" -type f -name "$target" -perm -u+x | head -n1)
  seeds="$build/seeds/$target"
  corpus="$build/corpus/$target"
  mkdir -p "$seeds" "$corpus"
  [ "$target" = fuzz_smf_reader ] && seed_smf "$seeds"
  options=(-max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -max_len=8192 -print_final_stats=0)
  dict=$(find fuzz -name "$target.dict" | head -n1)
  [ -n "$dict" ] && options+=(-dict="$dict")
  echo "== $target for ${seconds}s =="
  log="$build/$target.log"
  if ! "$binary" "${options[@]}" -artifact_prefix="$build/$target-" "$corpus" "$seeds" >"$log" 2>&1; then
    tail -n 80 "$log"
    echo "$target: failed; the input is saved as $build/$target-*" >&2
    exit 1
  fi
  tail -n 2 "$log"
done
