#pragma once

#include <cstddef>

class KpMap;

namespace testing_support {

class LevelRun;

// The campaign's busiest moment: its finale (normal 2-5) played by its build
// order at double speed, at the frame of the last group of waves with the
// most units and shots on the map.

// Units and shots on the map.
std::size_t Crowd(const KpMap& map);

// Plays the level from its start to that many frames before the busiest
// moment, the build order taken all the way. The moment is found once per
// process by playing the level through first. False when the level does not
// load or never reaches its last group of waves.
bool PlayToBusiestMoment(LevelRun& level, int framesBefore = 0);

}  // namespace testing_support
