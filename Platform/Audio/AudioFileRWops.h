#pragma once

#include <SDL_rwops.h>

#include "Platform/Audio/AudioTypes.h"

namespace platform::audio {

// The mixer reads through SDL's stream interface; this one forwards to the
// caller's procs, which only seek from the start. Closing it runs
// procs.close and frees it.
SDL_RWops* OpenFileRWops(const AudioFileProcs& procs, void* user);

}  // namespace platform::audio
