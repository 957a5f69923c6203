#pragma once

#include "Platform/Audio/AudioTypes.h"

namespace platform {

// Plays from the start, also when it was playing.
void AudioChannelPlay(AudioChannel channel);
void AudioChannelStop(AudioChannel channel);
AudioChannelState AudioChannelIsActive(AudioChannel channel);

// 0 to 1. Setting the volume ends a slide of it without its slide sync.
void AudioChannelSetVolume(AudioChannel channel, float volume);
float AudioChannelGetVolume(AudioChannel channel);
// Moves the volume to its target over that much audio time; a new slide
// replaces a running one.
void AudioChannelSlideVolume(AudioChannel channel, float volume, int milliseconds);

// The sync stays until removed or until its channel is freed.
AudioSync AudioChannelSetSync(AudioChannel channel, AudioSyncType type, AudioSyncProc proc, void* user);
void AudioChannelRemoveSync(AudioChannel channel, AudioSync sync);

}  // namespace platform
