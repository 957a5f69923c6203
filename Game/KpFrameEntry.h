#pragma once

#include <cstdint>
#include <memory>

#include "Core/Base/MathTransform2D.h"
#include "Core/Base/WString.h"

namespace render {
class Graphics;
class Image;
class ParticleEmitter;
class ShaderTextured;
}  // namespace render
class KpSpot;

// One image placed by a layered layout. Sprite definitions keep their frames
// as frame entries, screens their images, buttons and text anchors, and the
// map its depth-sorted draw list.
class KpFrameEntry {
 public:
  KpFrameEntry() = default;
  KpFrameEntry(const KpFrameEntry&) = delete;
  KpFrameEntry& operator=(const KpFrameEntry&) = delete;
  virtual ~KpFrameEntry();

  virtual void draw(render::Graphics*, float /*scale*/) {}
  virtual void updateHover(std::int32_t /*x*/, std::int32_t /*y*/) {}
  virtual void update(float /*dt*/) {}

  // The same placement for a list that does not own the image, such as the
  // map's draw list of frames that belong to a sprite definition: deleting
  // the copy never frees what the original still draws.
  std::unique_ptr<KpFrameEntry> nonOwningCopy() const;

  render::ShaderTextured* shader = nullptr;
  float shaderConstants[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  bool ownsImage = false;
  float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  render::Image* image = nullptr;
  base::WString name;
  bool additive = false;
  bool mirror = false;
  float x = 0.0f;
  float y = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
  // The layer's index in its layout: the draw order of screens.
  std::int32_t z = 0;
  math::Transform2D transform;
  // Not owned; when set, its particles are drawn in place of the image.
  render::ParticleEmitter* emitter = nullptr;
  bool visible = true;
  // The map's depth order: a layer's lower edge, or where a unit stands.
  float bottom = 0.0f;
  // The build spot that an entry of the map's spots shows; not owned.
  KpSpot* spot = nullptr;
};

// Orders frames by layer index; sorts that keep equal indices in listing order
// must be stable.
bool FrameEntryZLess(const KpFrameEntry* a, const KpFrameEntry* b);
// The map's depth order: what stands lower on the screen is drawn later. The
// map sorts stably with it, so that entries of equal depth keep their queue
// order and do not swap places from one frame to the next.
bool DrawEntryDepthLess(const KpFrameEntry* a, const KpFrameEntry* b);
