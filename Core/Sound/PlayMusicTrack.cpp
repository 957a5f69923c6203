#include "Core/Sound/PlayMusicTrack.h"

#include <string>
#include <vector>

#include "Core/Base/TextConversion.h"
#include "Core/Sound/PlayerVolumes.h"
#include "Core/Sound/SoundSystem.h"
#include "Core/Sound/SoundTags.h"

namespace w4 {

void PlayMusicTrack(const base::WString& path) {
  SoundSystem* sound = SoundSystem::Instance();
  sound->SetPlaylist({base::ToNarrow(path, base::kEncodingUtf8)});
  if (PlayerVolumes* volumes = SoundTags::Instance()->GetPlayerVolumes())
    sound->SetMusicVolume(volumes->GetMusicVolume());
}

}  // namespace w4
