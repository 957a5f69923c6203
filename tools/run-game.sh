#!/usr/bin/env bash
# Builds the game and its data, packs the data into "data.dat" beside the
# program and starts it; arguments go to the game.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DLF_BUILD_TESTS=OFF
game="$root/build/release/bin/lanternfall2"
"$game" --pack data
exec "$game" "$@"
