#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#include "Platform/Audio/AudioTypes.h"

namespace platform::audio {

struct Slide {
  float from;
  float to;
  std::uint64_t frames;
  std::uint64_t done = 0;
};

struct SampleRecord {
  Mix_Chunk* chunk = nullptr;
  int maxChannels = 0;
  int channels = 0;
};

// A sample channel owns one mixer channel for its life; a stream owns its
// decoder.
struct ChannelRecord {
  AudioSample sample = 0;
  int mixerChannel = -1;
  Mix_Music* music = nullptr;
  float volume = 1.0f;
  std::optional<Slide> slide;
};

struct SyncRecord {
  AudioChannel channel;
  AudioSyncType type;
  AudioSyncProc proc;
  void* user;
};

struct FiredSync {
  AudioSync sync;
  AudioChannel channel;
};

// Everything the audio thread shares with the main thread. It is only
// touched under the mixer's lock: the audio thread holds it through each
// mixing pass, and Lock takes it on the main thread.
struct State {
  bool open = false;
  // The mixer's device, whose lock is the mixer's lock.
  SDL_AudioDeviceID device = 0;
  int frequency = 0;
  int bytesPerFrame = 4;
  std::uint32_t lastHandle = 0;
  std::map<AudioSample, SampleRecord> samples;
  std::map<AudioChannel, ChannelRecord> channels;
  std::map<AudioSync, SyncRecord> syncs;
  std::vector<FiredSync> fired;
  // Mixer channels of freed sample channels, given out again first.
  std::vector<int> spareMixerChannels;
  int mixerChannelCount = 0;
  // The stream the mixer plays or played last, 0 when none.
  AudioChannel currentStream = 0;
  // Set while the main thread stops a channel, so that the mixer's "finished"
  // notice is not taken for the end of the sound.
  bool stopping = false;
  bool paused = false;
  bool held = false;
  std::uint64_t mixedFrames = 0;
  std::uint64_t holdAt = std::numeric_limits<std::uint64_t>::max();
};

State& GetState();

// The mixer's lock on the main thread; recursive, so layer calls nest, and
// taken by the mixer's own calls too, so they nest inside it.
class Lock {
 public:
  Lock();
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
};

std::uint32_t NewHandle();
ChannelRecord* FindChannel(AudioChannel channel);
// Mixer volumes are whole steps of 1/128.
int MixerVolume(float volume);
void ApplyVolume(AudioChannel channel, const ChannelRecord& record);
bool IsPausedOrHeld();
// Queues the channel's syncs of that type for the main thread.
void Fire(AudioChannel channel, AudioSyncType type);
// Stops without raising the channel's end syncs.
void Halt(AudioChannel channel, const ChannelRecord& record);
// Forgets the channel with its syncs, fired or not; a sample channel's mixer
// channel is kept for the next.
void Forget(AudioChannel channel);

}  // namespace platform::audio
