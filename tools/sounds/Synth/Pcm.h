#pragma once

#include <cstdint>
#include <vector>

namespace synth {

// Interleaved signed 16-bit sound.
struct Pcm {
  int frequency = 44100;
  int channels = 1;
  std::vector<std::int16_t> samples;
};

}  // namespace synth
