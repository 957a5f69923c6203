#pragma once

#include <string>

namespace testing_support {

// Where the game keeps the profiles below the per-user folder.
inline constexpr const char* kProfilePath = "Orvane/Lanternfall2/profiles.xml";

// A profile that already holds every value a level start reads, so that
// nothing is added to it while levels load: no upgrades bought, no gems, the
// tutorial's drop chance at 0.
inline std::string FullProfile() {
  std::string upgrades;
  for (const int id : {28, 26, 25, 24, 23, 22, 21, 13, 12, 11, 4, 3, 2, 1})
    upgrades += "<upgrade id=\"" + std::to_string(id) + "\" level=\"-1\"/>";
  return "<Profiles currentProfile=\"p\"><Profile name=\"p\" version=\"4\"><tutorial avail=\"1\">"
         "<param name=\"dropChanceOverride\" v=\"0\"/></tutorial><upgrades>" +
         upgrades + "</upgrades><gems amount=\"0\"/><mode v=\"0\"/><towers/><levels/></Profile></Profiles>";
}

}  // namespace testing_support
