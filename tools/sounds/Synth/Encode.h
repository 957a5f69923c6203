#pragma once

#include <string>

#include "tools/sounds/Synth/Pcm.h"

namespace synth {

// The bytes of a RIFF WAVE file.
std::string EncodeWav(const Pcm& pcm);
// The bytes of an Ogg Vorbis file at a quality from -0.1 to 1; empty when
// the encoder refuses the format.
std::string EncodeVorbis(const Pcm& pcm, float quality);

}  // namespace synth
