#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Core/Base/Singletone.h"
#include "Core/Sound/Sound.h"
#include "Platform/Audio/AudioTypes.h"

namespace base {
class Stream;
}

// Sound effects, and one music track at a time: a change of track fades the
// playing one out first, and a playlist moves on at each track's end. Main
// thread only; what the audio thread reports runs in RunPendingSyncs.
class SoundSystem : public base::Singletone<SoundSystem> {
 public:
  // The cross-fade between two tracks.
  static constexpr int kFadeMilliseconds = 1000;

  static SoundSystem* CreateInstance();
  ~SoundSystem() override;

  std::vector<base::SingletoneBase*> GetDependencies() override;

  // Opens the audio device. Without one everything stays silent: this is
  // logged once and is not an error for the caller.
  QLResultEnum Init();

  // name is a UTF-8 path, with or without its ".ogg" or ".wav".
  std::unique_ptr<Sound> CreateSound(const std::string& name);

  // The empty name stops the music at once.
  void PlayMusic(const std::string& name);
  void SetPlaylist(const std::vector<std::string>& playlist);
  void SwitchMusic(const std::string& name);
  std::string GetNextTrack() const { return nextTrack_; }
  const std::string& GetCurrentTrack() const { return currentTrack_; }
  bool IsMusicFading() const { return fadeSync_ != 0; }
  // 0 when no track is open.
  platform::AudioChannel GetMusicStream() const { return musicStream_; }

  // During a fade the volume is only kept: the next track starts with it.
  void SetMusicVolume(float volume);
  float GetMusicVolume() const { return musicVolume_; }
  void SetSoundVolume(float volume) { soundVolume_ = volume; }
  float GetSoundVolume() const { return soundVolume_; }

  void Pause();
  void Resume();

  // Runs, on the calling (main) thread, the track ends and fade ends the
  // audio thread reported since the last call. Once per pass of the loop.
  void RunPendingSyncs();

 private:
  SoundSystem();

  static void OnMusicSync(platform::AudioSync sync, platform::AudioChannel channel, void* user);

  void StartTrack(const std::string& name);
  void FreeMusicStream();
  void CancelFade();
  // The playlist's entry after name; its first entry when name is the last
  // one or not in it.
  std::string FollowingTrack(const std::string& name) const;

  std::vector<std::string> playlist_;
  std::string currentTrack_;
  std::string nextTrack_;
  platform::AudioChannel musicStream_ = 0;
  std::unique_ptr<base::Stream> musicFile_;
  platform::AudioSync fadeSync_ = 0;
  float musicVolume_ = 1.0f;
  float soundVolume_ = 1.0f;
  bool audioOpened_ = false;
};
