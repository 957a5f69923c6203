#include "Game/KpPoint.h"

#include <tinyxml2.h>

#include "Core/Base/LogMessage.h"
#include "Game/ProfileAttributes.h"

KpPoint::KpPoint(const tinyxml2::XMLElement& element, float scale)
    : id(profile_attributes::ReadInt(element, "id")),
      x(profile_attributes::ReadFloat(element, "x")),
      y(profile_attributes::ReadFloat(element, "y")),
      properties(std::make_unique<KpPropertyBag>(element)) {
  QL_LOG(u"new kp point (%g, %g)#%d!\n").AddArg(x).AddArg(y).AddArg(id);
  x *= scale;
  y *= scale;
}

