#include "Game/KpLink.h"

#include <tinyxml2.h>

#include "Core/Base/LogMessage.h"
#include "Game/ProfileAttributes.h"

KpLink::KpLink(const tinyxml2::XMLElement& element, float scale)
    : startId(profile_attributes::ReadInt(element, "sid")),
      endId(profile_attributes::ReadInt(element, "eid")),
      anchorX(profile_attributes::ReadFloat(element, "anchor_x") * scale),
      anchorY(profile_attributes::ReadFloat(element, "anchor_y") * scale) {
  QL_LOG(u"link loaded!\n");
}
