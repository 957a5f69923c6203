#pragma once

#include <cstdint>

namespace platform {

// Handles of the audio layer. 0 is never a valid handle, and every call
// given 0 or a handle that is gone does nothing, so a failed load or a freed
// object is harmless wherever its handle still travels.
using AudioSample = std::uint32_t;
// A sample's playback or a music stream.
using AudioChannel = std::uint32_t;
using AudioSync = std::uint32_t;

enum class AudioChannelState { kStopped, kPlaying, kPaused };

enum class AudioSyncType {
  // The channel reached its end by itself (not through a stop).
  kEnd,
  // A volume slide of the channel reached its target.
  kSlideEnd,
};

// Runs on the main thread, from AudioRunSyncs, never on the audio thread.
using AudioSyncProc = void (*)(AudioSync sync, AudioChannel channel, void* user);

// How a music stream reads its file: the caller's own stream, so music can
// come from anywhere the caller can read. Called on the audio thread while
// the stream plays; the caller keeps the file until the stream is freed.
struct AudioFileProcs {
  void (*close)(void* user);
  std::uint64_t (*length)(void* user);
  // Returns the bytes read.
  std::uint32_t (*read)(void* buffer, std::uint32_t length, void* user);
  // From the start of the file; false when the position cannot be reached.
  bool (*seek)(std::uint64_t offset, void* user);
};

}  // namespace platform
