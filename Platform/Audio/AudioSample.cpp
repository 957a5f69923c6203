#include "Platform/Audio/AudioSample.h"

#include <SDL.h>

#include <limits>
#include <vector>

#include "Platform/Audio/AudioState.h"
#include "Platform/Audio/SampleFormat.h"

namespace platform {
namespace {

using audio::GetState;
using audio::State;

int TakeMixerChannel() {
  State& state = GetState();
  if (!state.spareMixerChannels.empty()) {
    const int channel = state.spareMixerChannels.back();
    state.spareMixerChannels.pop_back();
    return channel;
  }
  if (state.mixerChannelCount == std::numeric_limits<int>::max()) return -1;
  const int channel = state.mixerChannelCount++;
  Mix_AllocateChannels(state.mixerChannelCount);
  return channel;
}

}  // namespace

AudioSample AudioSampleLoad(const void* data, std::size_t size, int maxChannels) {
  State& state = GetState();
  if (!state.open || size > static_cast<std::size_t>(std::numeric_limits<int>::max()) ||
      !IsPlayableSampleData(data, size)) {
    return 0;
  }
  SDL_RWops* source = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (!source) return 0;
  Mix_Chunk* chunk = Mix_LoadWAV_RW(source, 1);
  if (!chunk) return 0;
  audio::Lock lock;
  const AudioSample sample = audio::NewHandle();
  state.samples[sample] = {chunk, maxChannels, 0};
  return sample;
}

void AudioSampleFree(AudioSample sample) {
  State& state = GetState();
  audio::Lock lock;
  const auto found = state.samples.find(sample);
  if (found == state.samples.end()) return;
  std::vector<AudioChannel> channels;
  for (const auto& [channel, record] : state.channels) {
    if (record.sample == sample) channels.push_back(channel);
  }
  for (const AudioChannel channel : channels) {
    audio::Halt(channel, state.channels.at(channel));
    audio::Forget(channel);
  }
  Mix_FreeChunk(found->second.chunk);
  state.samples.erase(found);
}

AudioChannel AudioSampleGetChannel(AudioSample sample) {
  State& state = GetState();
  audio::Lock lock;
  const auto found = state.samples.find(sample);
  if (found == state.samples.end() || found->second.channels >= found->second.maxChannels) return 0;
  const int mixerChannel = TakeMixerChannel();
  if (mixerChannel < 0) return 0;
  Mix_Volume(mixerChannel, MIX_MAX_VOLUME);
  ++found->second.channels;
  const AudioChannel channel = audio::NewHandle();
  state.channels[channel] = {sample, mixerChannel, nullptr, 1.0f, {}};
  return channel;
}

}  // namespace platform
