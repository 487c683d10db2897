#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# `scripts/test.sh sanitize` does the same under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
dir="$(bash "$root/scripts/build.sh" "${1:-release}")"
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
