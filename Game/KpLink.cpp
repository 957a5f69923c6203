#include "Game/KpLink.h"

#include <tinyxml2.h>

#include "Core/Base/LogMessage.h"
#include "Game/LevelNumbers.h"

KpLink::KpLink(const tinyxml2::XMLElement& element, float scale)
    : startId(LevelInt(element, "sid", 0, LevelAttribute::kRequired)),
      endId(LevelInt(element, "eid", 0, LevelAttribute::kRequired)),
      anchorX(LevelFloat(element, "anchor_x", 0.0f, LevelAttribute::kRequired) * scale),
      anchorY(LevelFloat(element, "anchor_y", 0.0f, LevelAttribute::kRequired) * scale) {
  QL_LOG(u"link loaded!\n");
}
