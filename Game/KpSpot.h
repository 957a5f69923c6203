#pragma once

#include <memory>
#include <vector>

#include "Game/KpPropertyBag.h"

class KpFrameEntry;

// A build spot of a level: a tower may stand on it once it is open; a spot
// with a price must be bought first.
class KpSpot {
 public:
  // The spot type picks its picture: plain, bought with money, bought with
  // gems.
  enum Type { kPlain = 0, kGold = 1, kPremium = 2 };

  explicit KpSpot(const tinyxml2::XMLElement& element);

  int costGold;
  int costReal;
  int type;
  std::unique_ptr<KpPropertyBag> properties;
  // The centre, as written in the level.
  float x;
  float y;
  // Free from the start when it has no price; set when the spot is bought.
  bool open;
  // The effect markers shown under the spot; the map's draw list owns them.
  std::vector<KpFrameEntry*> markers;
};

using KpSpotList = std::vector<std::unique_ptr<KpSpot>>;

// Appends one spot per child of the level's "spots" element, from the first
// "spot" on (a later sibling counts whatever its name). A null element adds
// nothing. At most kMaxSpots are read; the rest is logged and left out.
// Returns the number of spots added.
int ReadSpots(const tinyxml2::XMLElement* spots, KpSpotList& out);

inline constexpr int kMaxSpots = 10000;
