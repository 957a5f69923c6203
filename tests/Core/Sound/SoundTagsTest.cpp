#include <filesystem>
#include <fstream>
#include <iterator>

#include "Core/Base/TextConversion.h"
#include "Core/Resource/ResourceManager.h"
#include "Core/Sound/PlayMusicTrack.h"
#include "Core/Sound/PlayerVolumes.h"
#include "Core/Sound/SoundSheetRow.h"
#include "Core/Sound/SoundTags.h"
#include "tests/Core/Sound/SoundFixture.h"
#include "tests/Support/CaseNames.h"

namespace {

using sound_testing::SoundFixture;
using w4::SoundTags;

struct RowCase {
  const char* name;
  const char* line;
  bool kept;
  const char* tag;
  const char* file;
  float volume;
  int group;
};

class SoundSheetRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(SoundSheetRowTest, ReadsALine) {
  const RowCase& expected = GetParam();
  const std::optional<w4::SoundSheetRow> row = w4::ParseSoundSheetLine(expected.line);
  ASSERT_EQ(row.has_value(), expected.kept);
  if (!row) return;
  EXPECT_EQ(row->tag, expected.tag);
  EXPECT_EQ(row->file, expected.file);
  EXPECT_EQ(row->volume, expected.volume);
  EXPECT_EQ(row->group, expected.group);
}

INSTANTIATE_TEST_SUITE_P(Lines, SoundSheetRowTest,
                         ::testing::Values(RowCase{"EveryFieldSpaced", "buildTower ; build tower.ogg ; 0.8 ; 2 ; 0",
                                                   true, "buildTower", "buildtower.ogg", 0.8f, 2},
                                           RowCase{"Comment", "#tag;file.ogg;1;0;0", false, "", "", 0, 0},
                                           RowCase{"CommentAfterBlank", " # tag;file.ogg", false, "", "", 0, 0},
                                           RowCase{"Empty", "", false, "", "", 0, 0},
                                           RowCase{"CarriageReturnAlone", "\r", false, "", "", 0, 0},
                                           RowCase{"TagAndFile", "hit;hit.wav\r", true, "hit", "hit.wav", 1.0f, 0},
                                           RowCase{"EveryField", "hit;hit.wav;0.5;3;1\r", true, "hit", "hit.wav", 0.5f,
                                                   3},
                                           RowCase{"TagAlone", "hit", true, "hit", "", 1.0f, 0},
                                           RowCase{"NumbersThatAreNot", "hit;;loud;many", true, "hit", "", 0.0f, 0},
                                           RowCase{"Tabs", "\thit\t;\thit.ogg\t;0.25", true, "hit", "hit.ogg", 0.25f,
                                                   0}),
                         testing_support::RowName());

// The current player's volumes as a test sets them.
class FixedVolumes : public w4::PlayerVolumes {
 public:
  float GetSoundVolume() override { return sound; }
  float GetMusicVolume() override { return music; }
  float sound = 1.0f;
  float music = 1.0f;
};

class SoundTagsTest : public SoundFixture {
 protected:
  static SoundTags& Tags() { return *SoundTags::Instance(); }
  void WriteSheet(const std::string& text) const { root_.WriteFile("kp/sounds_sheet.csv", text); }
};

TEST_F(SoundTagsTest, TheSheetGivesTagsInOrderWithTheirSounds) {
  WriteWav("kp/data/sound/hit.wav", 0.2f);
  WriteVorbis("kp/data/sound/buildtower.ogg", 0.2f);
  WriteSheet(
      "\xEF\xBB\xBF"
      "buildTower ; build tower.ogg ; 0.8 ; 2 ; 0\r\n#tag;file.ogg;1;0;0\r\n\r\nhit;;1;0;0\r\nhit;hit\r\nsilent\r\n");
  EXPECT_TRUE(Tags().Load(u"kp/sounds_sheet.csv"));
  const auto& entries = Tags().GetEntries();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0]->tag, u"buildTower");
  EXPECT_EQ(entries[0]->file, u"buildtower.ogg");
  EXPECT_EQ(entries[0]->volume, 0.8f);
  EXPECT_EQ(entries[0]->group, 2);
  EXPECT_TRUE(entries[0]->sound->GetSample()->IsLoaded());
  EXPECT_EQ(entries[1]->sound, nullptr);
  EXPECT_TRUE(entries[2]->sound->GetSample()->IsLoaded());

  EXPECT_TRUE(Tags().Play(u"hit"));
  EXPECT_TRUE(entries[2]->sound->IsPlaying());
  EXPECT_FALSE(Tags().Play(u"silent"));
  EXPECT_FALSE(Tags().Play(u"unknown"));
}

TEST_F(SoundTagsTest, AMissingSheetGivesAnEmptyTable) {
  WriteSheet("hit;hit.wav\n");
  Tags().Load(u"kp/sounds_sheet.csv");
  EXPECT_TRUE(Tags().Load(u"kp/missing.csv"));
  EXPECT_TRUE(Tags().GetEntries().empty());
  EXPECT_FALSE(Tags().Play(u"hit"));
  EXPECT_EQ(Logged(u"Sound sheet 'kp/missing.csv' is missing or empty"), 1);
}

TEST_F(SoundTagsTest, ATagPlaysAtThePlayersVolumeOfTheMomentElseAtItsOwn) {
  WriteWav("kp/data/sound/hit.wav", 0.2f);
  WriteSheet("hit;hit.wav;0.5\n");
  Tags().Load(u"kp/sounds_sheet.csv");
  const Sound& sound = *Tags().GetEntries()[0]->sound;
  Tags().Play(u"hit");
  EXPECT_EQ(sound.GetVolume(), 0.5f);

  FixedVolumes volumes;
  Tags().SetPlayerVolumes(&volumes);
  volumes.sound = 0.25f;
  Tags().Play(u"hit");
  EXPECT_EQ(sound.GetVolume(), 0.25f);
  volumes.sound = 0.75f;
  Tags().Play(u"hit");
  EXPECT_EQ(sound.GetVolume(), 0.75f);
  Tags().SetPlayerVolumes(nullptr);
}

TEST_F(SoundTagsTest, AMusicTrackLoopsAfterTheOldOneFadedOut) {
  WriteVorbis("kp/data/music/a.ogg", 3.0f);
  WriteVorbis("kp/data/music/b.ogg", 0.3f);
  FixedVolumes volumes;
  volumes.music = 0.5f;
  Tags().SetPlayerVolumes(&volumes);

  w4::PlayMusicTrack(u"kp/data/music/a.ogg");
  const platform::AudioChannel stream = System().GetMusicStream();
  EXPECT_EQ(System().GetMusicVolume(), 0.5f);
  w4::PlayMusicTrack(u"kp/data/music/a.ogg");
  EXPECT_EQ(System().GetMusicStream(), stream);
  EXPECT_FALSE(System().IsMusicFading());

  w4::PlayMusicTrack(u"kp/data/music/b.ogg");
  EXPECT_TRUE(System().IsMusicFading());
  Advance(1.05);
  EXPECT_EQ(System().GetCurrentTrack(), "kp/data/music/b.ogg");
  const platform::AudioChannel first = System().GetMusicStream();
  Advance(0.4);
  EXPECT_EQ(System().GetCurrentTrack(), "kp/data/music/b.ogg");
  EXPECT_NE(System().GetMusicStream(), first);
  EXPECT_TRUE(MusicPlays());
  Tags().SetPlayerVolumes(nullptr);
}

TEST_F(SoundTagsTest, TheTagsGoBeforeTheSoundSystemAndTheResourceManager) {
  System();
  resource::ResourceManager::Instance();
  Tags();
  SingletonRegistry::Get().Order();
  const auto& order = SingletonRegistry::Get().Instances();
  const auto at = [&order](const base::SingletoneBase* service) {
    return std::find(order.begin(), order.end(), service) - order.begin();
  };
  EXPECT_LT(at(SoundTags::Existing()), at(SoundSystem::Existing()));
  EXPECT_LT(at(SoundTags::Existing()), at(resource::ResourceManager::Existing()));
}

// The amplitude of the loudest sample of the mixed output, 16-bit stereo.
int Peak(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  int peak = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto sample =
        static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) | static_cast<std::uint8_t>(bytes[i + 1]) << 8);
    peak = std::max(peak, std::abs(static_cast<int>(sample)));
  }
  return peak;
}

class TagOutputTest : public SoundFixture, public ::testing::WithParamInterface<float> {};

TEST_P(TagOutputTest, ThePlayedTagIsHeardAtItsVolume) {
  constexpr float kAmplitude = 0.5f;
  WriteWav("kp/data/sound/tone.wav", 0.1f, kAmplitude);
  root_.WriteFile("kp/sounds_sheet.csv", "tone;tone.wav;" + std::to_string(GetParam()) + "\n");
  SoundTags::Instance()->Load(u"kp/sounds_sheet.csv");
  ASSERT_TRUE(SoundTags::Instance()->Play(u"tone"));
  Advance(0.2);
  // The output file is complete once the device is closed.
  SingletonRegistry::Shutdown();

  const int peak = Peak(OutputPath());
  EXPECT_GT(peak, 0);
  EXPECT_NEAR(peak, kAmplitude * GetParam() * 32767.0f, 0.01f * 32767.0f);
}

INSTANTIATE_TEST_SUITE_P(Volumes, TagOutputTest, ::testing::Values(1.0f, 0.5f, 0.25f),
                         [](const ::testing::TestParamInfo<float>& info) {
                           return "Percent" + std::to_string(static_cast<int>(info.param * 100.0f));
                         });

using GameSoundsTest = sound_testing::SoundFixture;

TEST_F(GameSoundsTest, TheGamesSheetNamesSoundsThatLoadAndTheMusicPlays) {
  std::filesystem::current_path(LF_GAME_DATA_ROOT);
  SoundTags::Instance()->Load(u"kp/sounds_sheet.csv");
  EXPECT_EQ(SoundTags::Instance()->GetEntries().size(), 10u);
  for (const auto& entry : SoundTags::Instance()->GetEntries()) {
    EXPECT_TRUE(entry->sound->GetSample()->IsLoaded()) << base::ToNarrow(entry->tag, base::kEncodingUtf8);
  }
  for (const char16_t* tag : {u"simple", u"buildTower", u"sellTower", u"upgradeTower", u"buySpot", u"context_in",
                              u"context_out", u"winSound", u"loseSound", u"teleportEnemy"}) {
    EXPECT_TRUE(SoundTags::Instance()->Play(tag)) << base::ToNarrow(tag, base::kEncodingUtf8);
  }
  for (const char* track : {"main_menu", "ingame1", "ingame2", "ingame3", "ingame4", "ingame5", "ingame6", "ingame7"}) {
    System().PlayMusic(std::string("kp/data/music/") + track + ".ogg");
    EXPECT_TRUE(MusicPlays()) << track;
  }
}

}  // namespace
