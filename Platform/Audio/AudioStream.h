#pragma once

#include "Platform/Audio/AudioTypes.h"

namespace platform {

// A music stream decoded while it plays, reading its file through procs.
// Only one stream plays at a time: playing one stops another. 0 when the
// file is not a playable format; procs.close has then already run.
AudioChannel AudioStreamCreate(const AudioFileProcs& procs, void* user);
// Stops the stream and closes its file.
void AudioStreamFree(AudioChannel stream);

}  // namespace platform
