#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Platform/Audio/AudioChannel.h"
#include "Platform/Audio/AudioDevice.h"
#include "Platform/Audio/AudioSample.h"
#include "Platform/Audio/AudioStream.h"
#include "tests/Support/AudioTime.h"
#include "tests/Support/TempFolder.h"
#include "tools/sounds/Synth/Encode.h"
#include "tools/sounds/Synth/Synth.h"

namespace {

using platform::AudioChannel;
using platform::AudioChannelState;
using platform::AudioSyncType;
using testing_support::AdvanceAudio;

synth::Pcm Tone(float seconds) {
  return synth::Render({{0.0f, seconds, 440, 440, 0.5f, synth::Wave::kSine, 0}}, seconds, 22050);
}

// A file in memory read through the stream procedures.
struct MemoryFile {
  std::string bytes;
  std::size_t position = 0;
  int closes = 0;
  int reads = 0;

  static platform::AudioFileProcs Procs() {
    return {[](void* user) { ++static_cast<MemoryFile*>(user)->closes; },
            [](void* user) -> std::uint64_t { return static_cast<MemoryFile*>(user)->bytes.size(); },
            [](void* buffer, std::uint32_t length, void* user) -> std::uint32_t {
              auto& file = *static_cast<MemoryFile*>(user);
              ++file.reads;
              const std::size_t count = std::min<std::size_t>(length, file.bytes.size() - file.position);
              std::copy_n(file.bytes.data() + file.position, count, static_cast<char*>(buffer));
              file.position += count;
              return static_cast<std::uint32_t>(count);
            },
            [](std::uint64_t offset, void* user) {
              auto& file = *static_cast<MemoryFile*>(user);
              if (offset > file.bytes.size()) return false;
              file.position = static_cast<std::size_t>(offset);
              return true;
            }};
  }
};

// What the syncs did, in the order they ran.
struct SyncLog {
  std::vector<std::pair<AudioChannel, AudioSyncType>> runs;
  AudioSyncType type = AudioSyncType::kEnd;

  static void Record(platform::AudioSync, AudioChannel channel, void* user) {
    auto* log = static_cast<SyncLog*>(user);
    log->runs.emplace_back(channel, log->type);
  }
};

class AudioLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::UseDiskAudio((folder_.Path() / "out.raw").string());
    std::string error;
    ASSERT_TRUE(platform::AudioInit(44100, &error)) << error;
  }
  void TearDown() override { platform::AudioFree(); }

  static platform::AudioSample Load(const std::string& bytes, int maxChannels = 8) {
    return platform::AudioSampleLoad(bytes.data(), bytes.size(), maxChannels);
  }

  testing_support::TempFolder folder_;
};

TEST_F(AudioLayerTest, SamplesComeFromWavAndVorbisAndRefuseOtherBytes) {
  EXPECT_NE(Load(synth::EncodeWav(Tone(0.1f))), 0u);
  EXPECT_NE(Load(synth::EncodeVorbis(Tone(0.1f), 0.0f)), 0u);
  EXPECT_EQ(Load("RIFF0000WAVEnot really a sound"), 0u);
  EXPECT_EQ(Load(std::string()), 0u);
}

std::string ReadFixture(const char* name) {
  std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "Fixtures" / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WithU32At(std::string bytes, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

// The mixer would allocate a chunk at the length it claims before reading it.
TEST_F(AudioLayerTest, AWavWhoseChunksClaimMoreThanItsBytesIsRefused) {
  const std::string hugeDataChunk = ReadFixture("huge-data-chunk.wav");
  ASSERT_EQ(hugeDataChunk.size(), 94u);
  EXPECT_EQ(Load(hugeDataChunk), 0u);
  const std::string wav = synth::EncodeWav(Tone(0.1f));
  constexpr std::size_t kFmtLength = 16;
  EXPECT_EQ(Load(WithU32At(wav, kFmtLength, static_cast<std::uint32_t>(wav.size()))), 0u);
  EXPECT_EQ(Load(wav.substr(0, wav.size() - 1)), 0u);
  EXPECT_NE(Load(wav + "LIST" + std::string(4, '\0')), 0u);
  EXPECT_EQ(Load("FORM" + wav.substr(4)), 0u);
}

TEST_F(AudioLayerTest, ASampleGivesAtMostItsChannelsAndTakesThemWhenFreed) {
  const platform::AudioSample sample = Load(synth::EncodeWav(Tone(0.1f)), 2);
  const AudioChannel first = platform::AudioSampleGetChannel(sample);
  const AudioChannel second = platform::AudioSampleGetChannel(sample);
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, first);
  EXPECT_EQ(platform::AudioSampleGetChannel(sample), 0u);

  platform::AudioChannelPlay(first);
  platform::AudioSampleFree(sample);
  EXPECT_EQ(platform::AudioChannelIsActive(first), AudioChannelState::kStopped);
  // Stale handles do nothing.
  platform::AudioChannelPlay(first);
  platform::AudioChannelSetVolume(second, 0.5f);
  EXPECT_EQ(platform::AudioSampleGetChannel(sample), 0u);
}

TEST_F(AudioLayerTest, AChannelPlaysToItsEndAndItsEndSyncRunsOnlyWhenAsked) {
  const AudioChannel channel = platform::AudioSampleGetChannel(Load(synth::EncodeWav(Tone(0.1f))));
  SyncLog log;
  platform::AudioChannelSetSync(channel, AudioSyncType::kEnd, &SyncLog::Record, &log);
  platform::AudioChannelPlay(channel);
  EXPECT_EQ(platform::AudioChannelIsActive(channel), AudioChannelState::kPlaying);

  ASSERT_TRUE(AdvanceAudio(0.2));
  EXPECT_EQ(platform::AudioChannelIsActive(channel), AudioChannelState::kStopped);
  EXPECT_TRUE(log.runs.empty());
  platform::AudioRunSyncs();
  EXPECT_EQ(log.runs.size(), 1u);
}

TEST_F(AudioLayerTest, AStopIsNotAnEndAndFreesASampleChannel) {
  const platform::AudioSample sample = Load(synth::EncodeWav(Tone(1.0f)), 1);
  const AudioChannel channel = platform::AudioSampleGetChannel(sample);
  SyncLog log;
  platform::AudioChannelSetSync(channel, AudioSyncType::kEnd, &SyncLog::Record, &log);
  platform::AudioChannelPlay(channel);
  platform::AudioChannelStop(channel);
  platform::AudioRunSyncs();
  EXPECT_TRUE(log.runs.empty());
  EXPECT_NE(platform::AudioSampleGetChannel(sample), 0u);
}

TEST_F(AudioLayerTest, AVolumeSlideMovesWithAudioTimeAndEndsWithItsSync) {
  const AudioChannel channel = platform::AudioSampleGetChannel(Load(synth::EncodeWav(Tone(2.0f))));
  SyncLog log;
  log.type = AudioSyncType::kSlideEnd;
  platform::AudioChannelSetSync(channel, AudioSyncType::kSlideEnd, &SyncLog::Record, &log);
  platform::AudioChannelPlay(channel);
  platform::AudioChannelSlideVolume(channel, 0.0f, 1000);

  ASSERT_TRUE(AdvanceAudio(0.5));
  EXPECT_NEAR(platform::AudioChannelGetVolume(channel), 0.5f, 0.03f);
  platform::AudioRunSyncs();
  EXPECT_TRUE(log.runs.empty());

  ASSERT_TRUE(AdvanceAudio(0.55));
  EXPECT_EQ(platform::AudioChannelGetVolume(channel), 0.0f);
  platform::AudioRunSyncs();
  EXPECT_EQ(log.runs.size(), 1u);
}

TEST_F(AudioLayerTest, SettingTheVolumeEndsASlideWithoutItsSync) {
  const AudioChannel channel = platform::AudioSampleGetChannel(Load(synth::EncodeWav(Tone(2.0f))));
  SyncLog log;
  platform::AudioChannelSetSync(channel, AudioSyncType::kSlideEnd, &SyncLog::Record, &log);
  platform::AudioChannelSlideVolume(channel, 0.0f, 100);
  platform::AudioChannelSetVolume(channel, 0.7f);
  ASSERT_TRUE(AdvanceAudio(0.2));
  platform::AudioRunSyncs();
  EXPECT_TRUE(log.runs.empty());
  EXPECT_EQ(platform::AudioChannelGetVolume(channel), 0.7f);
}

TEST_F(AudioLayerTest, AStreamReadsThroughItsProceduresAndReportsItsEnd) {
  MemoryFile file{synth::EncodeVorbis(Tone(0.3f), 0.0f)};
  const AudioChannel stream = platform::AudioStreamCreate(MemoryFile::Procs(), &file);
  ASSERT_NE(stream, 0u);
  SyncLog log;
  platform::AudioChannelSetSync(stream, AudioSyncType::kEnd, &SyncLog::Record, &log);
  platform::AudioChannelPlay(stream);
  EXPECT_EQ(platform::AudioChannelIsActive(stream), AudioChannelState::kPlaying);

  const int readsBefore = file.reads;
  ASSERT_TRUE(AdvanceAudio(0.5));
  EXPECT_GT(file.reads, readsBefore);
  EXPECT_EQ(platform::AudioChannelIsActive(stream), AudioChannelState::kStopped);
  platform::AudioRunSyncs();
  EXPECT_EQ(log.runs.size(), 1u);

  // It plays again from the start.
  platform::AudioChannelPlay(stream);
  EXPECT_EQ(platform::AudioChannelIsActive(stream), AudioChannelState::kPlaying);
  EXPECT_EQ(file.closes, 0);
  platform::AudioStreamFree(stream);
  EXPECT_EQ(file.closes, 1);
}

TEST_F(AudioLayerTest, AFileThatIsNoMusicIsClosedAndGivesNoStream) {
  MemoryFile file{"this is not music, not even close"};
  EXPECT_EQ(platform::AudioStreamCreate(MemoryFile::Procs(), &file), 0u);
  EXPECT_EQ(file.closes, 1);
}

TEST_F(AudioLayerTest, PlayingAStreamStopsAnotherWithoutItsEnd) {
  MemoryFile first{synth::EncodeVorbis(Tone(1.0f), 0.0f)};
  MemoryFile second{first.bytes};
  const AudioChannel one = platform::AudioStreamCreate(MemoryFile::Procs(), &first);
  const AudioChannel two = platform::AudioStreamCreate(MemoryFile::Procs(), &second);
  SyncLog log;
  platform::AudioChannelSetSync(one, AudioSyncType::kEnd, &SyncLog::Record, &log);
  platform::AudioChannelPlay(one);
  platform::AudioChannelPlay(two);
  EXPECT_EQ(platform::AudioChannelIsActive(one), AudioChannelState::kStopped);
  EXPECT_EQ(platform::AudioChannelIsActive(two), AudioChannelState::kPlaying);
  platform::AudioRunSyncs();
  EXPECT_TRUE(log.runs.empty());
  // The files go before the layer would free the streams.
  platform::AudioStreamFree(one);
  platform::AudioStreamFree(two);
}

TEST_F(AudioLayerTest, AFreedChannelDropsItsFiredSyncs) {
  MemoryFile file{synth::EncodeVorbis(Tone(0.1f), 0.0f)};
  const AudioChannel stream = platform::AudioStreamCreate(MemoryFile::Procs(), &file);
  SyncLog log;
  platform::AudioChannelSetSync(stream, AudioSyncType::kEnd, &SyncLog::Record, &log);
  platform::AudioChannelPlay(stream);
  ASSERT_TRUE(AdvanceAudio(0.3));
  platform::AudioStreamFree(stream);
  platform::AudioRunSyncs();
  EXPECT_TRUE(log.runs.empty());
}

TEST_F(AudioLayerTest, APauseHoldsEverythingAndWhatStartsMeanwhileStartsPaused) {
  const platform::AudioSample sample = Load(synth::EncodeWav(Tone(0.2f)));
  const AudioChannel playing = platform::AudioSampleGetChannel(sample);
  const AudioChannel later = platform::AudioSampleGetChannel(sample);
  platform::AudioChannelPlay(playing);
  platform::AudioPause();
  platform::AudioChannelPlay(later);
  EXPECT_EQ(platform::AudioChannelIsActive(playing), AudioChannelState::kPaused);
  EXPECT_EQ(platform::AudioChannelIsActive(later), AudioChannelState::kPaused);

  platform::AudioStart();
  EXPECT_EQ(platform::AudioChannelIsActive(later), AudioChannelState::kPlaying);
  ASSERT_TRUE(AdvanceAudio(0.3));
  EXPECT_EQ(platform::AudioChannelIsActive(later), AudioChannelState::kStopped);
}

TEST(AudioLayerWithoutDeviceTest, EveryCallIsHarmless) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  std::string error;
  EXPECT_FALSE(platform::AudioInit(44100, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(platform::AudioIsOpen());

  const std::string wav = synth::EncodeWav(Tone(0.1f));
  EXPECT_EQ(platform::AudioSampleLoad(wav.data(), wav.size(), 1), 0u);
  MemoryFile file{synth::EncodeVorbis(Tone(0.1f), 0.0f)};
  EXPECT_EQ(platform::AudioStreamCreate(MemoryFile::Procs(), &file), 0u);
  EXPECT_EQ(file.closes, 1);
  platform::AudioChannelPlay(0);
  platform::AudioChannelSlideVolume(0, 0.0f, 10);
  EXPECT_EQ(platform::AudioChannelSetSync(0, AudioSyncType::kEnd, &SyncLog::Record, nullptr), 0u);
  EXPECT_EQ(platform::AudioChannelIsActive(0), AudioChannelState::kStopped);
  platform::AudioPause();
  platform::AudioStart();
  platform::AudioRunSyncs();
  platform::AudioFree();
}

}  // namespace
