#include "Game/KpSpot.h"

#include <tinyxml2.h>

#include "Core/Base/LogMessage.h"
#include "Game/LevelNumbers.h"

KpSpot::KpSpot(const tinyxml2::XMLElement& element)
    : properties(std::make_unique<KpPropertyBag>(element)),
      x(LevelFloat(element, "x", 0.0f, LevelAttribute::kRequired)),
      y(LevelFloat(element, "y", 0.0f, LevelAttribute::kRequired)) {
  costGold = TruncateToInt(properties->getFloat("cost_gold"));
  costReal = TruncateToInt(properties->getFloat("cost_real"));
  type = TruncateToInt(properties->getFloat("type"));
  open = costGold == 0 && costReal == 0;
  if (type < kPlain || type > kPremium)
    QL_LOG(u"Build spot on line %d has the unknown type %d and is shown as a plain spot\n")
        .AddArg(element.GetLineNum())
        .AddArg(type);
}

int ReadSpots(const tinyxml2::XMLElement* spots, KpSpotList& out) {
  if (!spots) return 0;
  int added = 0;
  for (const tinyxml2::XMLElement* spot = spots->FirstChildElement("spot"); spot; spot = spot->NextSiblingElement()) {
    if (added == kMaxSpots) {
      QL_LOG(u"The level has more than %d build spots; the spots from line %d on are left out\n")
          .AddArg(kMaxSpots)
          .AddArg(spot->GetLineNum());
      break;
    }
    out.push_back(std::make_unique<KpSpot>(*spot));
    ++added;
  }
  return added;
}
