#!/usr/bin/env bash
# Builds everything with the tests and runs them headless.
# tools/run-tests.sh [build-folder [cmake options...]]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
folder="${1:-$root/build/tests}"
[ $# -gt 0 ] && shift
"$root/tools/build.sh" "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"

export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
ctest --test-dir "$folder" --output-on-failure -j "$(nproc)"
