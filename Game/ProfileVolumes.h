#pragma once

#include "Core/Sound/PlayerVolumes.h"

// The current player's volumes as the profiles document holds them: the
// attribute "v" of the profile's "sound" and "music" elements, read at each
// call so that a change of player is heard at once. A missing element means
// full volume; a missing or unreadable "v" means silence.
class ProfileVolumes : public w4::PlayerVolumes {
 public:
  float GetSoundVolume() override;
  float GetMusicVolume() override;
};
