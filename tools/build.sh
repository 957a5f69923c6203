#!/usr/bin/env bash
# tools/build.sh <build-folder> [cmake options...]: configures and builds.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
folder="$1"
shift
"$root/tools/setup/install-dependencies.sh"
cmake -S "$root" -B "$folder" -G Ninja "$@"
cmake --build "$folder"
