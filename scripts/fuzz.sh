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
cmake --build "$dir" --target vorlane-cli >&2
# The fuzz target picks the type by the first two bytes (little-endian): its index in
# `vorlane decode --list` (the registry).
selector_bytes() { printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8)); }
mapfile -t types < <("$dir/vorlane" decode --list)
# Seeds: every JSON document we ship under every type selector, and the same wrapped in an array
# (so lenient lists inside records see arrays of real elements), plus dates in both encodings.
i=0
while IFS= read -r -d '' file; do
  for selector in "${!types[@]}"; do
    byte="$(selector_bytes "$selector")"
    { printf "$byte"; cat "$file"; } > "$corpus/seed-$i-$selector"
    { printf "$byte["; cat "$file"; printf "]"; } > "$corpus/seed-$i-$selector-list"
  done
  i=$((i + 1))
done < <(find "$root/catalog" "$root/tests/data" -name '*.json' -print0)
for selector in "${!types[@]}"; do
  byte="$(selector_bytes "$selector")"
  printf "$byte"'{"occurredOn":"9999-12-31T23:59:59-01:00","date":-978307200.5}' > "$corpus/seed-date-$selector"
done
# Large maps: one answer of 12000 keys (under the 1 MiB input limit) for each map type, so the runs reach maps far past any index
# threshold from the start.
for selector in "${!types[@]}"; do
  case "${types[$selector]}" in
    ImageMap|ExploreImageMap|TextMap) ;;
    *) continue ;;
  esac
  { printf "$(selector_bytes "$selector")"
    awk 'BEGIN { printf "{"; for (i = 0; i < 12000; i++) { if (i) printf ","; printf "\"k%d\":{\"tile\":{\"1.78\":{\"imageId\":\"i%d\",\"url\":\"u\",\"masterId\":\"m\"}}}", i, i } printf "}" }'
  } > "$corpus/seed-large-map-$selector"
done
"$dir/vorlane_fuzz" -max_total_time="$seconds" -max_len=1048576 -print_final_stats=1 "$corpus"
