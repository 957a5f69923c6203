#pragma once

namespace w4 {

// The current player's volumes, 0 to 1. The game provides them while its
// map controller exists; the sound tags ask on every play.
class PlayerVolumes {
 public:
  virtual ~PlayerVolumes() = default;
  virtual float GetSoundVolume() = 0;
  virtual float GetMusicVolume() = 0;
};

}  // namespace w4
