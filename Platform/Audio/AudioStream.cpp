#include "Platform/Audio/AudioStream.h"

#include "Platform/Audio/AudioFileRWops.h"
#include "Platform/Audio/AudioState.h"

namespace platform {

AudioChannel AudioStreamCreate(const AudioFileProcs& procs, void* user) {
  audio::State& state = audio::GetState();
  if (!state.open) {
    procs.close(user);
    return 0;
  }
  SDL_RWops* file = audio::OpenFileRWops(procs, user);
  if (!file) return 0;
  // On failure the mixer closes the file itself.
  Mix_Music* music = Mix_LoadMUS_RW(file, 1);
  if (!music) return 0;
  audio::Lock lock;
  const AudioChannel stream = audio::NewHandle();
  state.channels[stream] = {0, -1, music, 1.0f, {}};
  return stream;
}

void AudioStreamFree(AudioChannel stream) {
  Mix_Music* music = nullptr;
  {
    audio::Lock lock;
    const audio::ChannelRecord* record = audio::FindChannel(stream);
    if (!record || !record->music) return;
    music = record->music;
    audio::Halt(stream, *record);
    audio::Forget(stream);
  }
  Mix_FreeMusic(music);
}

}  // namespace platform
