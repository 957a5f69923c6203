#pragma once

#include "Platform/Audio/AudioTypes.h"

// The procedures through which a music stream reads an engine stream (the
// user data), so music plays from folders and pack files alike. The owner
// of the stream frees it; closing does nothing.
platform::AudioFileProcs MusicFileProcs();
