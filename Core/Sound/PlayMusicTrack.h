#pragma once

#include "Core/Base/WString.h"

namespace w4 {

// Plays one music file over and over, at the player's music volume when
// there is a player: a playlist of that one track. A different track that
// plays fades out first; the same track plays on.
void PlayMusicTrack(const base::WString& path);

}  // namespace w4
