#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Sound/SoundSystem.h"
#include "Platform/Audio/AudioChannel.h"
#include "tests/Support/AudioTime.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/RecordingLogOutput.h"
#include "tools/sounds/Synth/Encode.h"
#include "tools/sounds/Synth/Synth.h"

namespace sound_testing {

// A tone whose every sample has the same size, at the output's rate so that
// no resampling rings over it: the mixed output tells its volume.
inline synth::Pcm Square(float seconds, float amplitude = 0.5f) {
  return synth::Render({{0.0f, seconds, 441, 441, amplitude, synth::Wave::kSquare, 0}}, seconds);
}

// Runs in its own data root on the disk driver with audio time held; a test
// moves audio time on with Advance, which then runs what the audio thread
// reported, as the main loop does once per pass.
class SoundFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    testing_support::UseDiskAudio(OutputPath());
  }
  void TearDown() override { SingletonRegistry::Shutdown(); }

  std::string OutputPath() const { return (root_.Path() / "out.raw").string(); }

  void WriteVorbis(const std::string& name, float seconds) const {
    root_.WriteFile(name, synth::EncodeVorbis(Square(seconds), 0.0f));
  }
  void WriteWav(const std::string& name, float seconds, float amplitude = 0.5f) const {
    root_.WriteFile(name, synth::EncodeWav(Square(seconds, amplitude)));
  }

  static SoundSystem& System() { return *SoundSystem::Instance(); }

  static void Advance(double seconds) {
    ASSERT_TRUE(testing_support::AdvanceAudio(seconds));
    System().RunPendingSyncs();
  }

  static bool MusicPlays() {
    return platform::AudioChannelIsActive(System().GetMusicStream()) == platform::AudioChannelState::kPlaying;
  }
  static float MusicVolume() { return platform::AudioChannelGetVolume(System().GetMusicStream()); }

  int Logged(const base::WString& text) const {
    return static_cast<int>(std::count_if(
        log_.begin(), log_.end(), [&](const base::WString& write) { return write.find(text) != base::WString::npos; }));
  }

  testing_support::DataRoot root_;
  std::vector<base::WString> log_;
};

}  // namespace sound_testing
