#include "Core/Sound/Sound.h"

#include <algorithm>
#include <utility>

#include "Platform/Audio/AudioChannel.h"
#include "Platform/Audio/AudioSample.h"

namespace {

// Keeps the conversion to whole milliseconds defined for any length.
constexpr float kLongestSlideMs = 2.0e9f;

}  // namespace

Sound::Sound(resource::ResourceHandle<resource::ResourceSound> sample) : sample_(std::move(sample)) {
  if (sample_) channel_ = platform::AudioSampleGetChannel(sample_->GetSample());
}

// The channel goes before the share of the sample: the last share frees it.
Sound::~Sound() { platform::AudioChannelStop(channel_); }

void Sound::Play() { platform::AudioChannelPlay(channel_); }

void Sound::SetVolume(float volume, float seconds) {
  if (seconds > 0.0f) {
    platform::AudioChannelSlideVolume(channel_, volume, static_cast<int>(std::min(seconds * 1000.0f, kLongestSlideMs)));
  } else {
    platform::AudioChannelSetVolume(channel_, volume);
  }
}

bool Sound::IsPlaying() const {
  return platform::AudioChannelIsActive(channel_) == platform::AudioChannelState::kPlaying;
}

float Sound::GetVolume() const { return platform::AudioChannelGetVolume(channel_); }
