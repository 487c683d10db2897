#!/usr/bin/env bash
# Installs the release build into build/prefix, then builds and runs examples/consumer, a separate
# CMake project that finds the library with find_package(vorlane CONFIG).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$(bash "$root/scripts/build.sh" release)"
rm -rf "$root/build/prefix" "$root/build/consumer"
cmake --install "$dir" --prefix "$root/build/prefix" >/dev/null
cmake -S "$root/examples/consumer" -B "$root/build/consumer" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_PREFIX_PATH="$root/build/prefix" >/dev/null
cmake --build "$root/build/consumer" >/dev/null
"$root/build/consumer/consumer"
