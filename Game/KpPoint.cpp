#include "Game/KpPoint.h"

#include <tinyxml2.h>

#include "Core/Base/LogMessage.h"
#include "Game/XmlNumbers.h"

KpPoint::KpPoint(const tinyxml2::XMLElement& element, float scale)
    : id(IntAttribute(element, "id")),
      x(FloatAttribute(element, "x")),
      y(FloatAttribute(element, "y")),
      properties(std::make_unique<KpPropertyBag>(element)) {
  QL_LOG(u"new kp point (%g, %g)#%d!\n").AddArg(x).AddArg(y).AddArg(id);
  x *= scale;
  y *= scale;
}

