#pragma once

#include <memory>

#include "Game/KpPropertyBag.h"

// A map point of a level: links join points, enemies spawn at them and walk
// to the goal.
struct KpPoint {
  // Coordinates are multiplied by scale as they are read.
  KpPoint(const tinyxml2::XMLElement& element, float scale);

  int id;
  float x;
  float y;
  std::unique_ptr<KpPropertyBag> properties;
};
