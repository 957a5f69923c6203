#pragma once

#include <cstddef>

#include "Platform/Audio/AudioTypes.h"

namespace platform {

// A whole sound decoded from a WAV or Ogg Vorbis file in memory; the bytes
// may be freed afterwards. 0 when the data is refused or the layer is closed.
// maxChannels limits the channels the sample gives at once.
AudioSample AudioSampleLoad(const void* data, std::size_t size, int maxChannels);
// Stops and frees the sample's channels too.
void AudioSampleFree(AudioSample sample);
// A new channel that plays the sample; 0 beyond maxChannels. Stopping a
// sample channel frees it.
AudioChannel AudioSampleGetChannel(AudioSample sample);

}  // namespace platform
