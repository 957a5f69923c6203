#include "Platform/Audio/AudioState.h"

#include <algorithm>
#include <cmath>

namespace platform::audio {

State& GetState() {
  static State state;
  return state;
}

Lock::Lock() {
  if (GetState().device) SDL_LockAudioDevice(GetState().device);
}

Lock::~Lock() {
  if (GetState().device) SDL_UnlockAudioDevice(GetState().device);
}

std::uint32_t NewHandle() {
  State& state = GetState();
  // Handles are not reused while the process runs, so a stale one never
  // reaches a newer object; 0 stays invalid after a wrap.
  if (++state.lastHandle == 0) ++state.lastHandle;
  return state.lastHandle;
}

ChannelRecord* FindChannel(AudioChannel channel) {
  State& state = GetState();
  const auto found = state.channels.find(channel);
  return found == state.channels.end() ? nullptr : &found->second;
}

int MixerVolume(float volume) {
  if (!(volume > 0.0f)) return 0;
  return static_cast<int>(std::lround(std::min(volume, 1.0f) * MIX_MAX_VOLUME));
}

void ApplyVolume(AudioChannel channel, const ChannelRecord& record) {
  if (record.music) {
    if (GetState().currentStream == channel) Mix_VolumeMusic(MixerVolume(record.volume));
  } else {
    Mix_Volume(record.mixerChannel, MixerVolume(record.volume));
  }
}

bool IsPausedOrHeld() {
  const State& state = GetState();
  return state.paused || state.held;
}

void Fire(AudioChannel channel, AudioSyncType type) {
  State& state = GetState();
  for (const auto& [sync, record] : state.syncs) {
    if (record.channel == channel && record.type == type) state.fired.push_back({sync, channel});
  }
}

void Halt(AudioChannel channel, const ChannelRecord& record) {
  State& state = GetState();
  state.stopping = true;
  if (record.music) {
    if (state.currentStream == channel) {
      Mix_HaltMusic();
      state.currentStream = 0;
    }
  } else {
    Mix_HaltChannel(record.mixerChannel);
  }
  state.stopping = false;
}

void Forget(AudioChannel channel) {
  State& state = GetState();
  const auto found = state.channels.find(channel);
  if (found == state.channels.end()) return;
  if (const auto sample = state.samples.find(found->second.sample); sample != state.samples.end()) {
    --sample->second.channels;
  }
  if (found->second.mixerChannel >= 0) state.spareMixerChannels.push_back(found->second.mixerChannel);
  if (state.currentStream == channel) state.currentStream = 0;
  state.channels.erase(found);
  std::erase_if(state.syncs, [channel](const auto& item) { return item.second.channel == channel; });
  std::erase_if(state.fired, [channel](const FiredSync& fired) { return fired.channel == channel; });
}

}  // namespace platform::audio
