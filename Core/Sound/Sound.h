#pragma once

#include "Core/Base/NoCopy.h"
#include "Core/Resource/ResourceHandle.h"
#include "Core/Sound/ResourceSound.h"
#include "Platform/Audio/AudioTypes.h"

// One playback channel of a shared sample. Made from a sample that failed to
// load it has no channel and every call does nothing.
class Sound : base::NoCopy {
 public:
  explicit Sound(resource::ResourceHandle<resource::ResourceSound> sample);
  ~Sound();

  // From the start, also while it plays.
  void Play();
  // Over that many seconds when above 0, else at once.
  void SetVolume(float volume, float seconds);
  bool IsPlaying() const;
  // 0 without a channel.
  float GetVolume() const;

  const resource::ResourceHandle<resource::ResourceSound>& GetSample() const { return sample_; }

 private:
  resource::ResourceHandle<resource::ResourceSound> sample_;
  platform::AudioChannel channel_ = 0;
};
