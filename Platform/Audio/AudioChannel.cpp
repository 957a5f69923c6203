#include "Platform/Audio/AudioChannel.h"

#include <algorithm>
#include <cstdint>

#include "Platform/Audio/AudioState.h"

namespace platform {

void AudioChannelPlay(AudioChannel channel) {
  audio::State& state = audio::GetState();
  audio::Lock lock;
  audio::ChannelRecord* record = audio::FindChannel(channel);
  if (!record) return;
  if (record->music) {
    // Starting one stream ends another without it counting as its end.
    if (state.currentStream && state.currentStream != channel) {
      if (const audio::ChannelRecord* other = audio::FindChannel(state.currentStream)) {
        audio::Halt(state.currentStream, *other);
      }
    }
    state.stopping = true;
    Mix_VolumeMusic(audio::MixerVolume(record->volume));
    const bool started = Mix_PlayMusic(record->music, 0) == 0;
    state.stopping = false;
    state.currentStream = started ? channel : 0;
    if (started && audio::IsPausedOrHeld()) Mix_PauseMusic();
  } else {
    const audio::SampleRecord& sample = state.samples.at(record->sample);
    state.stopping = true;
    const bool started = Mix_PlayChannel(record->mixerChannel, sample.chunk, 0) >= 0;
    state.stopping = false;
    if (started && audio::IsPausedOrHeld()) Mix_Pause(record->mixerChannel);
  }
}

void AudioChannelStop(AudioChannel channel) {
  audio::Lock lock;
  const audio::ChannelRecord* record = audio::FindChannel(channel);
  if (!record) return;
  audio::Halt(channel, *record);
  if (!record->music) audio::Forget(channel);
}

AudioChannelState AudioChannelIsActive(AudioChannel channel) {
  audio::State& state = audio::GetState();
  audio::Lock lock;
  const audio::ChannelRecord* record = audio::FindChannel(channel);
  if (!record) return AudioChannelState::kStopped;
  const bool playing =
      record->music ? state.currentStream == channel && Mix_PlayingMusic() : Mix_Playing(record->mixerChannel) != 0;
  if (!playing) return AudioChannelState::kStopped;
  // A hold only steps audio time; to its user the channel plays on.
  return state.paused ? AudioChannelState::kPaused : AudioChannelState::kPlaying;
}

void AudioChannelSetVolume(AudioChannel channel, float volume) {
  audio::Lock lock;
  audio::ChannelRecord* record = audio::FindChannel(channel);
  if (!record) return;
  record->slide.reset();
  record->volume = std::clamp(volume, 0.0f, 1.0f);
  audio::ApplyVolume(channel, *record);
}

float AudioChannelGetVolume(AudioChannel channel) {
  audio::Lock lock;
  const audio::ChannelRecord* record = audio::FindChannel(channel);
  return record ? record->volume : 0.0f;
}

void AudioChannelSlideVolume(AudioChannel channel, float volume, int milliseconds) {
  audio::State& state = audio::GetState();
  audio::Lock lock;
  audio::ChannelRecord* record = audio::FindChannel(channel);
  if (!record) return;
  const auto frames =
      static_cast<std::uint64_t>(std::max(milliseconds, 0)) * static_cast<std::uint64_t>(state.frequency) / 1000u;
  record->slide = audio::Slide{record->volume, std::clamp(volume, 0.0f, 1.0f), frames};
}

AudioSync AudioChannelSetSync(AudioChannel channel, AudioSyncType type, AudioSyncProc proc, void* user) {
  audio::State& state = audio::GetState();
  audio::Lock lock;
  if (!proc || !audio::FindChannel(channel)) return 0;
  const AudioSync sync = audio::NewHandle();
  state.syncs[sync] = {channel, type, proc, user};
  return sync;
}

void AudioChannelRemoveSync(AudioChannel channel, AudioSync sync) {
  audio::State& state = audio::GetState();
  audio::Lock lock;
  const auto found = state.syncs.find(sync);
  if (found == state.syncs.end() || found->second.channel != channel) return;
  state.syncs.erase(found);
  std::erase_if(state.fired, [sync](const audio::FiredSync& fired) { return fired.sync == sync; });
}

}  // namespace platform
