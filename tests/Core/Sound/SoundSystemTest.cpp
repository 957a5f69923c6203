#include <cstdlib>

#include "Core/Resource/ResourceManager.h"
#include "Core/Sound/ResourceSound.h"
#include "Core/Sound/SoundSystem.h"
#include "tests/Core/Sound/SoundFixture.h"

namespace {

using sound_testing::SoundFixture;

// Two long tracks and two short ones.
class MusicTest : public SoundFixture {
 protected:
  void SetUp() override {
    SoundFixture::SetUp();
    WriteVorbis("a.ogg", 3.0f);
    WriteVorbis("b.ogg", 3.0f);
    WriteVorbis("c.ogg", 3.0f);
    WriteVorbis("s1.ogg", 0.3f);
    WriteVorbis("s2.ogg", 0.3f);
  }
};

TEST_F(MusicTest, ASwitchFadesTheTrackOutForASecondThenStartsTheNext) {
  System().SwitchMusic("a.ogg");
  ASSERT_TRUE(MusicPlays());
  System().SwitchMusic("b.ogg");
  EXPECT_TRUE(System().IsMusicFading());
  EXPECT_EQ(System().GetCurrentTrack(), "a.ogg");
  EXPECT_EQ(System().GetNextTrack(), "b.ogg");

  Advance(0.9);
  EXPECT_EQ(System().GetCurrentTrack(), "a.ogg");
  EXPECT_NEAR(MusicVolume(), 0.1f, 0.03f);

  Advance(0.15);
  EXPECT_EQ(System().GetCurrentTrack(), "b.ogg");
  EXPECT_FALSE(System().IsMusicFading());
  EXPECT_TRUE(MusicPlays());
  EXPECT_EQ(MusicVolume(), 1.0f);
}

TEST_F(MusicTest, TheTrackThatPlaysIsKeptAndAnEndedOneStartsAgain) {
  System().SwitchMusic("a.ogg");
  const platform::AudioChannel stream = System().GetMusicStream();
  System().SwitchMusic("a.ogg");
  EXPECT_EQ(System().GetMusicStream(), stream);
  EXPECT_FALSE(System().IsMusicFading());

  System().PlayMusic("");
  System().SwitchMusic("s1.ogg");
  Advance(0.5);
  EXPECT_FALSE(MusicPlays());
  EXPECT_EQ(System().GetCurrentTrack(), "s1.ogg");
  System().SwitchMusic("s1.ogg");
  EXPECT_TRUE(MusicPlays());
}

TEST_F(MusicTest, APlaylistMovesOnAtEachEndAndWrapsAround) {
  System().SetPlaylist({"s1.ogg", "s2.ogg"});
  EXPECT_EQ(System().GetCurrentTrack(), "s1.ogg");
  EXPECT_EQ(System().GetNextTrack(), "s2.ogg");
  Advance(0.45);
  EXPECT_EQ(System().GetCurrentTrack(), "s2.ogg");
  EXPECT_EQ(System().GetNextTrack(), "s1.ogg");
  Advance(0.45);
  EXPECT_EQ(System().GetCurrentTrack(), "s1.ogg");
  EXPECT_TRUE(MusicPlays());
}

TEST_F(MusicTest, APlaylistOfOneTrackRepeatsIt) {
  System().SetPlaylist({"s1.ogg"});
  const platform::AudioChannel first = System().GetMusicStream();
  Advance(0.45);
  EXPECT_EQ(System().GetCurrentTrack(), "s1.ogg");
  EXPECT_NE(System().GetMusicStream(), first);
  EXPECT_TRUE(MusicPlays());
}

TEST_F(MusicTest, ATrackOutsideThePlaylistIsFollowedByItsFirstEntry) {
  System().SetPlaylist({"s1.ogg", "s2.ogg"});
  System().SwitchMusic("a.ogg");
  Advance(1.1);
  EXPECT_EQ(System().GetCurrentTrack(), "a.ogg");
  EXPECT_EQ(System().GetNextTrack(), "s1.ogg");
}

TEST_F(MusicTest, StoppingTheMusicIsImmediateAlsoDuringAFade) {
  System().SwitchMusic("a.ogg");
  System().SwitchMusic("b.ogg");
  System().PlayMusic("");
  EXPECT_EQ(System().GetCurrentTrack(), "");
  EXPECT_EQ(System().GetMusicStream(), 0u);
  EXPECT_FALSE(System().IsMusicFading());
  Advance(1.2);
  EXPECT_EQ(System().GetCurrentTrack(), "");
  EXPECT_EQ(System().GetMusicStream(), 0u);
}

TEST_F(MusicTest, AMissingTrackLeavesSilence) {
  System().SwitchMusic("missing.ogg");
  EXPECT_EQ(System().GetCurrentTrack(), "");
  EXPECT_EQ(Logged(u"Music 'missing.ogg' not found"), 1);

  System().SwitchMusic("a.ogg");
  System().SwitchMusic("missing.ogg");
  Advance(1.1);
  EXPECT_EQ(System().GetCurrentTrack(), "");
  EXPECT_EQ(System().GetMusicStream(), 0u);
}

TEST_F(MusicTest, AVolumeSetDuringAFadeIsKeptForTheNextTrack) {
  System().SwitchMusic("a.ogg");
  System().SwitchMusic("b.ogg");
  Advance(0.5);
  System().SetMusicVolume(0.25f);
  EXPECT_TRUE(System().IsMusicFading());
  EXPECT_NEAR(MusicVolume(), 0.5f, 0.03f);

  Advance(0.6);
  EXPECT_EQ(System().GetCurrentTrack(), "b.ogg");
  EXPECT_EQ(MusicVolume(), 0.25f);
}

TEST_F(MusicTest, SwitchingBackDuringAFadeKeepsTheTrack) {
  System().SwitchMusic("a.ogg");
  const platform::AudioChannel stream = System().GetMusicStream();
  System().SwitchMusic("b.ogg");
  Advance(0.5);
  System().SwitchMusic("a.ogg");
  EXPECT_FALSE(System().IsMusicFading());
  EXPECT_EQ(MusicVolume(), 1.0f);

  Advance(1.0);
  EXPECT_EQ(System().GetCurrentTrack(), "a.ogg");
  EXPECT_EQ(System().GetMusicStream(), stream);
}

TEST_F(MusicTest, ASecondSwitchDuringAFadeOnlyChangesTheTrackThatFollows) {
  System().SwitchMusic("a.ogg");
  System().SwitchMusic("b.ogg");
  Advance(0.5);
  System().SwitchMusic("c.ogg");
  EXPECT_EQ(System().GetNextTrack(), "c.ogg");

  Advance(0.6);
  EXPECT_EQ(System().GetCurrentTrack(), "c.ogg");
  const platform::AudioChannel stream = System().GetMusicStream();
  Advance(0.1);
  EXPECT_EQ(System().GetMusicStream(), stream);
  EXPECT_TRUE(MusicPlays());
}

using SoundTest = SoundFixture;

TEST_F(SoundTest, TwoSoundsShareOneSampleFreedAtTheLastRelease) {
  WriteWav("hit.wav", 0.2f);
  std::unique_ptr<Sound> first = System().CreateSound("hit");
  std::unique_ptr<Sound> second = System().CreateSound("hit");
  EXPECT_EQ(first->GetSample().Get(), second->GetSample().Get());
  EXPECT_TRUE(first->GetSample()->IsLoaded());
  auto& cache = resource::ResourceManager::Instance()->GetMap<resource::ResourceSound>();
  EXPECT_EQ(cache.size(), 1u);

  first.reset();
  EXPECT_EQ(cache.size(), 1u);
  second->Play();
  EXPECT_TRUE(second->IsPlaying());
  second.reset();
  EXPECT_TRUE(cache.empty());
}

TEST_F(SoundTest, ASoundPlaysFromTheStartUntilItsEndAndPausesWithEverything) {
  WriteWav("hit.wav", 0.2f);
  std::unique_ptr<Sound> sound = System().CreateSound("hit.wav");
  sound->Play();
  EXPECT_TRUE(sound->IsPlaying());
  System().Pause();
  EXPECT_FALSE(sound->IsPlaying());
  System().Resume();
  EXPECT_TRUE(sound->IsPlaying());
  Advance(0.3);
  EXPECT_FALSE(sound->IsPlaying());
}

TEST_F(SoundTest, AVolumeCanSlide) {
  WriteWav("hit.wav", 2.0f);
  std::unique_ptr<Sound> sound = System().CreateSound("hit");
  sound->Play();
  sound->SetVolume(0.2f, 0.5f);
  EXPECT_EQ(sound->GetVolume(), 1.0f);
  Advance(0.6);
  EXPECT_EQ(sound->GetVolume(), 0.2f);
}

TEST_F(SoundTest, RefusedAndMissingSamplesAreFailedLoadsAndSilent) {
  root_.WriteFile("bad.wav", "RIFF....WAVE but nothing else");
  for (const char* name : {"bad", "missing"}) {
    std::unique_ptr<Sound> sound = System().CreateSound(name);
    EXPECT_FALSE(sound->GetSample()->IsLoaded()) << name;
    sound->SetVolume(0.5f, 0.0f);
    sound->Play();
    EXPECT_FALSE(sound->IsPlaying()) << name;
  }
  EXPECT_EQ(Logged(u"Sound 'bad' is not a WAV or Ogg Vorbis sound"), 1);
  EXPECT_EQ(Logged(u"Sound 'missing' not found"), 1);
}

TEST_F(SoundTest, WithoutADeviceTheGameRunsSilentlyAndSaysSoOnce) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  WriteWav("hit.wav", 0.2f);
  WriteVorbis("a.ogg", 0.3f);
  std::unique_ptr<Sound> sound = System().CreateSound("hit");
  sound->Play();
  EXPECT_FALSE(sound->IsPlaying());
  System().SetPlaylist({"a.ogg"});
  System().SwitchMusic("hit.wav");
  System().RunPendingSyncs();
  System().Pause();
  System().Resume();
  EXPECT_EQ(Logged(u"No sound"), 1);
  EXPECT_EQ(Logged(u"Sound '") + Logged(u"Music '"), 0);
}

}  // namespace
