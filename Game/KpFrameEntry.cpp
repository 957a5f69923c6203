#include "Game/KpFrameEntry.h"

#include <algorithm>

#include "Core/Render/Image.h"

KpFrameEntry::~KpFrameEntry() {
  if (ownsImage) delete image;
}

std::unique_ptr<KpFrameEntry> KpFrameEntry::nonOwningCopy() const {
  auto copy = std::make_unique<KpFrameEntry>();
  copy->shader = shader;
  std::copy(std::begin(shaderConstants), std::end(shaderConstants), copy->shaderConstants);
  std::copy(std::begin(colour), std::end(colour), copy->colour);
  copy->image = image;
  copy->name = name;
  copy->additive = additive;
  copy->mirror = mirror;
  copy->x = x;
  copy->y = y;
  copy->width = width;
  copy->height = height;
  copy->z = z;
  copy->transform = transform;
  copy->emitter = emitter;
  copy->visible = visible;
  copy->bottom = bottom;
  copy->spot = spot;
  return copy;
}

bool FrameEntryZLess(const KpFrameEntry* a, const KpFrameEntry* b) { return a->z < b->z; }

bool DrawEntryDepthLess(const KpFrameEntry* a, const KpFrameEntry* b) { return a->bottom < b->bottom; }
