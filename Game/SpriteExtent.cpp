#include "Game/SpriteExtent.h"

#include <algorithm>

#include "Game/KpFrameEntry.h"
#include "Game/SpriteDef.h"

SpriteExtent GetSpriteExtent(const SpriteDef& sprite) {
  SpriteExtent extent;
  for (const std::string_view name : kSpriteGroups) {
    const SpriteDef::FrameList* frames = sprite.findGroup(std::string(name));
    if (!frames) continue;
    for (const KpFrameEntry* frame : *frames) {
      extent.width = std::max(extent.width, frame->x + frame->width);
      extent.height = std::max(extent.height, frame->y + frame->height);
    }
  }
  return extent;
}
