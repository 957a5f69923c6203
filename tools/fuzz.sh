#!/usr/bin/env bash
# Builds the fuzz targets of the readers of untrusted input with clang
# (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and runs them
# headless, each from its seeds: the game's generated data, the committed data
# and the test fixtures.
# Usage: tools/fuzz.sh <target|all> [seconds]
# Without seconds each target runs for its own default. Exits non-zero when
# any target finds something; the inputs are kept in build/fuzz/findings/.
# The generated data is taken from a build that has made it (build/*/bin),
# or from the folder in LF_FUZZ_DATA.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/fuzz"
[ $# -ge 1 ] || { sed -n 's/^# Usage: //p' "$0"; exit 2; }
wanted="$1"
seconds="${2:-}"

# target: default seconds, seed files (globs below the repository root, or
# below the generated data as data:...), extra libFuzzer options.
targets=(psd text pack profiles layers sound_sheet catalogue font dds particles anim mesh game_xml shader game_text)
default_seconds=3
declare -A time seeds options
time[psd]=30 seeds[psd]="tests/Psd/Fixtures/*.psd"
# Large but legal images are allowed up to the decoder's own limits.
options[psd]="-dict=$root/tests/Psd/Fuzz/psd.dict -rss_limit_mb=2560 -max_len=65536 -timeout=20"
seeds[text]="data/game.xml data:kp/sounds_sheet.csv tests/Core/File/Fuzz/Seeds/profiles.xml"
seeds[pack]="tests/Core/File/Fuzz/Seeds/*.dat"
seeds[profiles]="tests/Core/File/Fuzz/Seeds/profiles.xml tests/Core/File/Fixtures/*.xml"
seeds[layers]="tests/Core/File/Fuzz/Seeds/layers.xml"
seeds[sound_sheet]="data:kp/sounds_sheet.csv"
seeds[catalogue]="tests/Core/Purchase/Fuzz/Seeds/*.xml"
seeds[font]="tests/Core/Render/Fuzz/Seeds/*.fnt data:kp/data/fonts/*.fnt"
seeds[dds]="tests/Core/Render/Fuzz/Seeds/*.dds"
seeds[particles]="data/fx/*.ptc"
seeds[anim]="data:data/dialogs/*.anim"
seeds[mesh]="tests/Core/Animation/Fuzz/Seeds/*.lib"
seeds[game_xml]="data/game.xml"
seeds[game_text]="data/kp/strings_en.csv data/kp/config.xml"
# The shader seeds are the built-in shaders, cut out of their header below.
seeds[shader]="" options[shader]="-dict=$root/tests/Platform/Fuzz/hlsl.dict"

find_data() {
  if [ -n "${LF_FUZZ_DATA:-}" ]; then echo "$LF_FUZZ_DATA"; return; fi
  for bin in "$root"/build/*/bin; do
    [ -d "$bin/kp" ] && { echo "$bin"; return; }
  done
  echo ""
}
data="$(find_data)"
[ -n "$data" ] || echo "No generated data found (build the game first): only the committed seeds are used" >&2

cmake -S "$root" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Fuzz \
  -DLF_FUZZ=ON -DLF_BUILD_TESTS=OFF >/dev/null
cmake --build "$out" --target fuzzers

copy_seeds() {
  local target="$1" corpus="$2" pattern file
  for pattern in ${seeds[$target]}; do
    case "$pattern" in
      data:*) [ -n "$data" ] || continue; pattern="$data/${pattern#data:}" ;;
      *) pattern="$root/$pattern" ;;
    esac
    for file in $pattern; do
      [ -f "$file" ] && cp "$file" "$corpus/"
    done
  done
  if [ "$target" = shader ]; then
    awk -v dir="$corpus" '
      /R"\($/ { file = sprintf("%s/builtin-%d.hlsl", dir, ++count); inside = 1; next }
      /^\)";$/ { inside = 0; close(file); next }
      inside { print > file }' "$root/Core/Render/DX9/BuiltInShaders.h"
  fi
}

export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
# Targets that write their input as a file get a folder of their own in
# memory, where the profiles' synced writes cost nothing.
scratch="$(mktemp -d "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/lanternfall-fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"

run() {
  local target="$1" corpus="$out/corpus/$1"
  mkdir -p "$corpus" "$out/findings"
  copy_seeds "$target" "$corpus"
  echo "== $target"
  # The game reads its animations relative to the data root. Paths given to
  # the fuzzer are absolute: some targets change the current folder before
  # it reads its corpus.
  (cd "${data:-$root}" && "$out/fuzz/${target}_fuzzer" -max_total_time="${seconds:-${time[$target]:-$default_seconds}}" \
    ${options[$target]:-} -artifact_prefix="$out/findings/$target-" "$corpus")
}

status=0
if [ "$wanted" = all ]; then
  for target in "${targets[@]}"; do run "$target" || status=1; done
elif [ -n "${seeds[$wanted]+known}" ]; then
  run "$wanted" || status=1
else
  echo "Unknown target '$wanted'; the targets: all ${targets[*]}" >&2
  exit 2
fi
exit "$status"
