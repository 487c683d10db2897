#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# `scripts/test.sh sanitize` does the same under AddressSanitizer and UndefinedBehaviorSanitizer,
# `scripts/test.sh tsan` under ThreadSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
dir="$(bash "$root/scripts/build.sh" "${1:-release}")"
cd "$dir"
# The test server's HTTP library is a prebuilt, uninstrumented shared library; its own accesses are
# suppressed, everything of ours is checked.
export TSAN_OPTIONS="suppressions=$root/tests/tsan.supp ${TSAN_OPTIONS:-}"
# The browser tests drive the inspector's pages, whose threads are the server's (covered here by the
# HTTP tests); under ThreadSanitizer they would only add minutes.
exclude=()
[ "${1:-release}" = tsan ] && exclude=(-E '^Inspector')
ctest --output-on-failure -j"$(nproc)" "${exclude[@]}"
