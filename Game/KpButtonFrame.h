#pragma once

#include "Game/KpFrameEntry.h"

// A frame that reacts to the pointer: it grows slightly while hovered and
// shrinks back once the pointer leaves.
class KpButtonFrame : public KpFrameEntry {
 public:
  // Zooms the image about its own centre by the hover scale, then the whole
  // design window about its centre by windowScale.
  void draw(render::Graphics* graphics, float windowScale) override;
  // Strictly inside the rectangle: a point on the edge is not a hover.
  void updateHover(std::int32_t x, std::int32_t y) override;
  void update(float dt) override;

  // Where draw puts the image, centred on its middle, for a design window of
  // (halfWidth, halfHeight) times two.
  math::Transform2D placement(float windowScale, float halfWidth, float halfHeight) const;

  float scale = 1.0f;
  std::int32_t hover = 0;
};
