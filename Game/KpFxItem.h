#pragma once

#include <memory>
#include <vector>

#include "Core/Base/WString.h"

namespace file {
class ImageContainer;
}

// A decoration point of a level's layout where an ambient effect shows now
// and then: reeds stirring in the first episode, birds in the second, none
// later.
class KpFxItem {
 public:
  KpFxItem(float x, float y, int episodeIndex);

  // dt in game seconds. True when the effect shows in this frame; the map
  // then starts the particle effect effectName at (x, y).
  bool update(float dt);

  base::WString effectName;
  float x;
  float y;
  // Never shows again once the first effect has shown.
  bool disabled;
  float firstDelay;
  // The longest wait between two effects; 0 shows none after the first.
  float period;
  float interval = 0.0f;
  float elapsed = 0.0f;
  bool fired = false;
};

using KpFxItemList = std::vector<std::unique_ptr<KpFxItem>>;

// Appends one point per layer of the layout's folder "fx", in listing order,
// placed at the layer's rectangle's corner.
void ReadMapFxItems(file::ImageContainer& layout, int episodeIndex, KpFxItemList& out);
