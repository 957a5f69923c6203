#pragma once

#include <vector>

#include "Core/Base/WString.h"

namespace file {
class ImageContainer;
}

class ParticleEffect;

// A decoration point of a level's layout where an ambient effect shows now
// and then: reeds stirring in the first episode, birds in the second, none
// later.
class KpMapEffect {
 public:
  KpMapEffect(float x, float y, int episodeIndex);

  // dt in game seconds. True when the effect shows in this frame; the map
  // then calls start.
  bool update(float dt);
  // Appends a running emitter of the effect at the point to the map's
  // ambient emitters, which own it; nothing for a point without effect.
  void start(std::vector<ParticleEffect*>& ambientEmitters) const;

  base::WString effectName;
  float x;
  float y;
  // Shows once and its emitter loops by itself.
  bool loops;
  float firstDelay;
  // The longest wait between two effects; 0 for a looping one.
  float period;
  float interval = 0.0f;
  float elapsed = 0.0f;
  bool started = false;
};

// Appends one point per layer of the layout's folder "fx", in listing order,
// placed at the layer's rectangle's corner; the caller owns them.
void ReadMapEffects(file::ImageContainer& layout, int episodeIndex, std::vector<KpMapEffect*>& out);
