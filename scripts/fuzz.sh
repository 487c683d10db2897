#!/usr/bin/env bash
# Builds the decoder fuzz target with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for SECONDS (default 60), seeded with the catalog's and the tests' JSON documents.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
bash "$root/scripts/setup.sh"
dir="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLANE_FUZZ=ON \
    -DVORLANE_BUILD_TESTS=OFF -DVORLANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target vorlane_fuzz >&2
corpus="$dir/corpus"
mkdir -p "$corpus"
# Seeds: every JSON document we ship, once under each type selector.
i=0
while IFS= read -r -d '' file; do
  for selector in 0 1 2 3 4 5 6 7 8 9 10 11; do
    { printf "\\x$(printf %02x "$selector")"; cat "$file"; } > "$corpus/seed-$i-$selector"
  done
  i=$((i + 1))
done < <(find "$root/catalog" "$root/tests/data" -name '*.json' -print0)
"$dir/vorlane_fuzz" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$corpus"
