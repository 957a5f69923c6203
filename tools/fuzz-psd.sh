#!/bin/sh
# Builds the PSD decoder's libFuzzer target with clang and runs it briefly,
# starting from the committed fixtures, with a dictionary of the keys and
# descriptor types the decoder reads.
# Usage: tools/fuzz-psd.sh [seconds] (default 30). Exits non-zero on a finding.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
out="$root/build/fuzz-psd"
mkdir -p "$out/corpus"
cp "$root"/tests/Psd/Fixtures/*.psd "$out/corpus/"

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root" "$root"/Psd/*.cpp "$root/tests/Psd/Fuzz/PsdFuzzer.cpp" -lz -ljpeg -o "$out/psd-fuzzer"

# Large but legal images are allowed up to the decoder's own limits.
"$out/psd-fuzzer" -dict="$root/tests/Psd/Fuzz/psd.dict" -max_total_time="$seconds" -rss_limit_mb=2560 -max_len=65536 -timeout=20 \
  -artifact_prefix="$out/" "$out/corpus"
