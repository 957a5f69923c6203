#pragma once

// One level of the campaign: the episode and the level within it, both from 0.
struct LevelPlace {
  int episode = 0;
  int level = 0;

  bool operator==(const LevelPlace&) const = default;
};
