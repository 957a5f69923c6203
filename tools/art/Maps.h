#pragma once

#include "tools/art/Layout.h"
#include "tools/art/MapLevel.h"

namespace art {

// A level's map layout: the "background" layer drawn from its roads and
// spots, the scenery that stands in front of units ("^" layers) and the
// one-pixel points of the "fx" group where the episode's ambient effect
// shows. Episode 1 is the Reedmarsh (boardwalks over dark water), episode 2
// the Saltcliffs (cobbled roads on chalk by the sea).
void AddMap(Layout& layout, const MapLevel& level);

}  // namespace art
