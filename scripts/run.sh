#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: `vorlane check` on the built-in catalog.
# Extra arguments go to `vorlane check`.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
dir="$(bash "$root/scripts/build.sh" release)"
"$dir/vorlane" check "$@"
