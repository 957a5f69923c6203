#include "Core/Sound/SoundSystem.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "Core/Base/Log.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/Stream.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/Resource/ResourceManager.h"
#include "Core/Sound/MusicFile.h"
#include "Core/Sound/ResourceSound.h"
#include "Platform/Audio/AudioChannel.h"
#include "Platform/Audio/AudioDevice.h"
#include "Platform/Audio/AudioStream.h"

namespace {

constexpr int kFrequency = 44100;

base::WString Wide(const std::string& name) { return base::ToWide(name, base::kEncodingUtf8); }

std::unique_ptr<base::Stream> OpenMusicFile(const std::string& name) {
  const std::unique_ptr<file::FileInfo> entry(file::FileManager::Instance()->Open(Wide(name), nullptr, 0, nullptr));
  return std::unique_ptr<base::Stream>(entry ? entry->OpenStream() : nullptr);
}

}  // namespace

SoundSystem::SoundSystem() = default;

SoundSystem* SoundSystem::CreateInstance() {
  auto* system = new SoundSystem;
  system->Init();
  return system;
}

SoundSystem::~SoundSystem() {
  FreeMusicStream();
  if (audioOpened_) platform::AudioFree();
}

std::vector<base::SingletoneBase*> SoundSystem::GetDependencies() {
  std::vector<base::SingletoneBase*> dependencies;
  // Sounds still held give their samples back to the resource manager.
  if (resource::ResourceManager* resources = resource::ResourceManager::Existing()) dependencies.push_back(resources);
  if (base::MainLog* log = base::MainLog::Existing()) dependencies.push_back(log);
  return dependencies;
}

QLResultEnum SoundSystem::Init() {
  std::string error;
  audioOpened_ = platform::AudioInit(kFrequency, &error);
  if (audioOpened_) return QL_OK;
  QL_LOG(u"No sound: the audio device cannot be opened (%s)\n").AddArg(Wide(error));
  return QL_FAIL;
}

std::unique_ptr<Sound> SoundSystem::CreateSound(const std::string& name) {
  resource::ResourceHandle<resource::ResourceSound> sample =
      resource::ResourceManager::Instance()->Get<resource::ResourceSound>(Wide(name));
  // A failed load is logged by the resource and leaves a silent sound.
  if (sample && !sample->IsLoaded()) sample->Load();
  return std::make_unique<Sound>(std::move(sample));
}

void SoundSystem::PlayMusic(const std::string& name) {
  playlist_.clear();
  SwitchMusic(name);
}

void SoundSystem::SetPlaylist(const std::vector<std::string>& playlist) {
  playlist_ = playlist;
  if (!playlist_.empty()) SwitchMusic(playlist_.front());
}

void SoundSystem::SwitchMusic(const std::string& name) {
  const bool active = platform::AudioChannelIsActive(musicStream_) != platform::AudioChannelState::kStopped;
  // A track whose stream could not be made is opened anew instead.
  if (name == currentTrack_ && (musicStream_ || name.empty())) {
    if (active) {
      // Going back to the track that fades out keeps it.
      if (fadeSync_) CancelFade();
    } else if (!name.empty()) {
      platform::AudioChannelPlay(musicStream_);
    }
    return;
  }
  if (musicStream_) {
    if (active && !name.empty()) {
      // One fade at a time: a later switch only changes what follows it.
      if (!fadeSync_) {
        platform::AudioChannelSlideVolume(musicStream_, 0.0f, kFadeMilliseconds);
        fadeSync_ = platform::AudioChannelSetSync(musicStream_, platform::AudioSyncType::kSlideEnd, &OnMusicSync, this);
      }
      nextTrack_ = name;
      return;
    }
    FreeMusicStream();
  }
  if (name.empty()) {
    currentTrack_.clear();
    return;
  }
  StartTrack(name);
}

void SoundSystem::StartTrack(const std::string& name) {
  std::unique_ptr<base::Stream> file = OpenMusicFile(name);
  if (!file) {
    QL_LOG(u"Music '%s' not found\n").AddArg(Wide(name));
    return;
  }
  musicFile_ = std::move(file);
  musicStream_ = platform::AudioStreamCreate(MusicFileProcs(), musicFile_.get());
  if (musicStream_) {
    platform::AudioChannelSetVolume(musicStream_, musicVolume_);
    platform::AudioChannelPlay(musicStream_);
  } else {
    musicFile_.reset();
    if (platform::AudioIsOpen()) QL_LOG(u"Music '%s' is not an Ogg Vorbis or WAV file\n").AddArg(Wide(name));
  }
  if (!playlist_.empty()) {
    platform::AudioChannelSetSync(musicStream_, platform::AudioSyncType::kEnd, &OnMusicSync, this);
    nextTrack_ = FollowingTrack(name);
  }
  currentTrack_ = name;
}

void SoundSystem::OnMusicSync(platform::AudioSync, platform::AudioChannel, void* user) {
  auto* system = static_cast<SoundSystem*>(user);
  system->SwitchMusic({});
  system->SwitchMusic(system->GetNextTrack());
}

void SoundSystem::FreeMusicStream() {
  platform::AudioChannelStop(musicStream_);
  platform::AudioStreamFree(musicStream_);
  musicStream_ = 0;
  fadeSync_ = 0;
  musicFile_.reset();
}

void SoundSystem::CancelFade() {
  platform::AudioChannelRemoveSync(musicStream_, fadeSync_);
  fadeSync_ = 0;
  platform::AudioChannelSetVolume(musicStream_, musicVolume_);
  nextTrack_ = playlist_.empty() ? std::string() : FollowingTrack(currentTrack_);
}

std::string SoundSystem::FollowingTrack(const std::string& name) const {
  const auto found = std::find(playlist_.begin(), playlist_.end(), name);
  if (found == playlist_.end() || std::next(found) == playlist_.end()) return playlist_.front();
  return *std::next(found);
}

void SoundSystem::SetMusicVolume(float volume) {
  musicVolume_ = volume;
  if (!fadeSync_) platform::AudioChannelSetVolume(musicStream_, volume);
}

void SoundSystem::Pause() { platform::AudioPause(); }

void SoundSystem::Resume() { platform::AudioStart(); }

void SoundSystem::RunPendingSyncs() { platform::AudioRunSyncs(); }
