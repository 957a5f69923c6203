#include "Game/KpPoint.h"

#include <tinyxml2.h>

#include "Core/Base/LogMessage.h"
#include "Game/LevelNumbers.h"

KpPoint::KpPoint(const tinyxml2::XMLElement& element, float scale)
    : id(LevelInt(element, "id", 0, LevelAttribute::kRequired)),
      x(LevelFloat(element, "x", 0.0f, LevelAttribute::kRequired)),
      y(LevelFloat(element, "y", 0.0f, LevelAttribute::kRequired)),
      properties(std::make_unique<KpPropertyBag>(element)) {
  QL_LOG(u"new kp point (%g, %g)#%d!\n").AddArg(x).AddArg(y).AddArg(id);
  x *= scale;
  y *= scale;
}

