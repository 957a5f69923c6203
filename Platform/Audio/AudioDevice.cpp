#include "Platform/Audio/AudioDevice.h"

#include <SDL.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "Platform/Audio/AudioSample.h"
#include "Platform/Audio/AudioState.h"
#include "Platform/Audio/AudioStream.h"

namespace platform {
namespace {

using audio::GetState;
using audio::State;

constexpr int kChunkFrames = 1024;

void Hold() {
  Mix_Pause(-1);
  Mix_PauseMusic();
}

void Release() {
  Mix_Resume(-1);
  Mix_ResumeMusic();
}

void AdvanceSlides(std::uint64_t frames) {
  for (auto& [channel, record] : GetState().channels) {
    if (!record.slide) continue;
    audio::Slide& slide = *record.slide;
    slide.done = std::min(slide.frames, slide.done + frames);
    const float progress = slide.frames ? static_cast<float>(slide.done) / static_cast<float>(slide.frames) : 1.0f;
    record.volume = slide.from + (slide.to - slide.from) * progress;
    if (slide.done == slide.frames) {
      record.volume = slide.to;
      record.slide.reset();
      audio::Fire(channel, AudioSyncType::kSlideEnd);
    }
    audio::ApplyVolume(channel, record);
  }
}

// Audio thread, after each mixing pass, with the mixer's lock held.
void SDLCALL AfterMix(void*, Uint8*, int length) {
  State& state = GetState();
  if (!state.open || audio::IsPausedOrHeld()) return;
  const auto frames = static_cast<std::uint64_t>(length / state.bytesPerFrame);
  state.mixedFrames += frames;
  AdvanceSlides(frames);
  if (state.mixedFrames >= state.holdAt) {
    state.held = true;
    Hold();
  }
}

// Audio thread at a stream's end; main thread inside a stop, which is not an
// end.
void SDLCALL MusicFinished() {
  State& state = GetState();
  if (!state.stopping && state.currentStream) audio::Fire(state.currentStream, AudioSyncType::kEnd);
}

void SDLCALL ChannelFinished(int mixerChannel) {
  State& state = GetState();
  if (state.stopping) return;
  for (const auto& [channel, record] : state.channels) {
    if (record.mixerChannel == mixerChannel) audio::Fire(channel, AudioSyncType::kEnd);
  }
}

// The mixer does not name the device it opens, and its lock is the device's.
// Device ids are small numbers given out in order; the mixer's is the one that
// was stopped before it opened and runs after.
constexpr SDL_AudioDeviceID kDeviceIdsSearched = 64;

std::vector<bool> RunningDevices() {
  std::vector<bool> running(kDeviceIdsSearched + 1);
  for (SDL_AudioDeviceID id = 1; id <= kDeviceIdsSearched; ++id) {
    running[id] = SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED;
  }
  return running;
}

SDL_AudioDeviceID NewlyRunningDevice(const std::vector<bool>& before) {
  const std::vector<bool> after = RunningDevices();
  for (SDL_AudioDeviceID id = kDeviceIdsSearched; id >= 1; --id) {
    if (after[id] && !before[id]) return id;
  }
  return 0;
}

int BytesPerFrame(Uint16 format, int channels) { return std::max(1, channels * SDL_AUDIO_BITSIZE(format) / 8); }

}  // namespace

bool AudioInit(int frequency, std::string* error) {
  State& state = GetState();
  if (state.open) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    if (error) *error = SDL_GetError();
    return false;
  }
  // Without the Ogg decoder WAV files still play; a refused Ogg file is
  // reported where it is loaded.
  Mix_Init(MIX_INIT_OGG);
  const std::vector<bool> runningBefore = RunningDevices();
  if (Mix_OpenAudio(frequency, AUDIO_S16SYS, 2, kChunkFrames) != 0) {
    if (error) *error = Mix_GetError();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  const SDL_AudioDeviceID device = NewlyRunningDevice(runningBefore);
  if (!device) {
    if (error) *error = "the mixer's audio device was not found";
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  int openedFrequency = 0;
  Uint16 format = 0;
  int channels = 0;
  Mix_QuerySpec(&openedFrequency, &format, &channels);
  Mix_AllocateChannels(0);

  state.device = device;
  audio::Lock lock;
  state.open = true;
  state.frequency = openedFrequency;
  state.bytesPerFrame = BytesPerFrame(format, channels);
  state.mixerChannelCount = 0;
  if (state.mixedFrames >= state.holdAt) {
    state.held = true;
    Hold();
  }
  Mix_SetPostMix(&AfterMix, nullptr);
  Mix_HookMusicFinished(&MusicFinished);
  Mix_ChannelFinished(&ChannelFinished);
  return true;
}

void AudioFree() {
  State& state = GetState();
  if (!state.open) return;
  std::vector<AudioChannel> streams;
  std::vector<AudioSample> samples;
  {
    audio::Lock lock;
    for (const auto& [channel, record] : state.channels) {
      if (record.music) streams.push_back(channel);
    }
    for (const auto& [sample, record] : state.samples) samples.push_back(sample);
  }
  for (const AudioChannel stream : streams) AudioStreamFree(stream);
  for (const AudioSample sample : samples) AudioSampleFree(sample);
  {
    audio::Lock lock;
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HookMusicFinished(nullptr);
    Mix_ChannelFinished(nullptr);
  }
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  const std::uint32_t lastHandle = state.lastHandle;
  state = State{};
  state.lastHandle = lastHandle;
}

bool AudioIsOpen() { return GetState().open; }

void AudioPause() {
  State& state = GetState();
  if (!state.open) return;
  audio::Lock lock;
  state.paused = true;
  Hold();
}

void AudioStart() {
  State& state = GetState();
  if (!state.open) return;
  audio::Lock lock;
  state.paused = false;
  if (!state.held) Release();
}

void AudioRunSyncs() {
  State& state = GetState();
  std::vector<audio::FiredSync> fired;
  {
    audio::Lock lock;
    fired = std::exchange(state.fired, {});
  }
  for (const audio::FiredSync& entry : fired) {
    AudioSyncProc proc = nullptr;
    void* user = nullptr;
    {
      // An earlier sync of this batch may have freed the channel or removed
      // this sync.
      audio::Lock lock;
      const auto found = state.syncs.find(entry.sync);
      if (found == state.syncs.end() || found->second.channel != entry.channel) continue;
      proc = found->second.proc;
      user = found->second.user;
    }
    proc(entry.sync, entry.channel, user);
  }
}

std::uint64_t AudioMixedFrames() {
  audio::Lock lock;
  return GetState().mixedFrames;
}

void AudioHoldAt(std::uint64_t frames) {
  State& state = GetState();
  audio::Lock lock;
  state.holdAt = frames;
  if (!state.open) return;
  const bool reached = state.mixedFrames >= frames;
  if (reached == state.held) return;
  state.held = reached;
  if (reached) {
    Hold();
  } else if (!state.paused) {
    Release();
  }
}

int AudioFrequency() { return GetState().frequency; }

}  // namespace platform
