#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>

#include "Platform/Audio/AudioDevice.h"

namespace testing_support {

// Sends the mixed output to a file, fast, and stops audio time until a test
// moves it on with AdvanceAudio. Call before the audio device is opened.
inline void UseDiskAudio(const std::string& outputFile) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", outputFile.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "1", 1);
  platform::AudioHoldAt(0);
}

// Lets audio time run on by at least that many seconds (to the end of a
// mixing pass) and waits until it has. False only if the audio thread never
// got there: a hang guard, not a timing.
inline bool AdvanceAudio(double seconds) {
  const auto frames = static_cast<std::uint64_t>(seconds * platform::AudioFrequency());
  const std::uint64_t target = platform::AudioMixedFrames() + frames;
  platform::AudioHoldAt(target);
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (platform::AudioMixedFrames() < target) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace testing_support
