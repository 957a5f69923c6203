#pragma once

#include <cstddef>

namespace platform {

// True for the two kinds of sample the game ships: Ogg Vorbis, and RIFF WAVE
// whose every chunk lies within the bytes. The mixer allocates a WAVE data
// chunk at the length it claims, before reading it; every other kind would
// reach decoders the game does not need.
bool IsPlayableSampleData(const void* data, std::size_t size);

}  // namespace platform
