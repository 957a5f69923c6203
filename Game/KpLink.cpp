#include "Game/KpLink.h"

#include <tinyxml2.h>

#include "Core/Base/LogMessage.h"
#include "Game/XmlNumbers.h"

KpLink::KpLink(const tinyxml2::XMLElement& element, float scale)
    : startId(IntAttribute(element, "sid")),
      endId(IntAttribute(element, "eid")),
      anchorX(FloatAttribute(element, "anchor_x") * scale),
      anchorY(FloatAttribute(element, "anchor_y") * scale) {
  QL_LOG(u"link loaded!\n");
}
