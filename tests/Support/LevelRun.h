#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "tests/Support/TempFolder.h"

class Game;
class KpFrameEntry;
class KpMap;
class KpTower;

namespace testing_support {

// One level of a started game, played headless the way a player would: the
// map steps with a fixed frame time and no drawing, and the player's commands
// go through the tower menu's rules (a build offers only the level's towers
// on a free open spot, an upgrade only the tiers the menu lists, at its
// price). With the same seed and the same commands a run gives the same
// result.
class LevelRun {
 public:
  // Frame time of every step, in seconds; the world moves the game speed
  // times as far.
  static constexpr float kFrameStep = 1.0f / 60.0f;

  // The game must have started; its map plays the levels.
  explicit LevelRun(Game& game);

  // The level of the campaign (mode 1 normal, 3 hardcore; 0-based episode
  // and level) from its start, with math::Random seeded first so that
  // everything the start and the play draw repeats. False when it does not
  // load.
  bool loadCampaignLevel(int mode, int episode, int level, std::uint32_t seed = 1);
  // A level whose file text the test gives, written to a folder of its own
  // and started as a campaign level is, in normal mode, standing for the
  // campaign level of that episode and level (which picks the towers on
  // offer).
  bool loadLevelText(std::string_view xml, int episode = 0, int level = 0, std::uint32_t seed = 1);

  // Frames for the given seconds of frame time.
  void step(float seconds);
  // One frame.
  void frame();
  // Frames until done() holds, or until maxSeconds of frame time have gone;
  // done is asked before every frame, so it may also play between frames.
  // True when done() held.
  bool runUntil(const std::function<bool()>& done, float maxSeconds);
  // Frames until the level is won or lost, at most maxSeconds of frame time.
  bool runToEnd(float maxSeconds);

  // The tower commands on the level's spot of that index (in level file
  // order). A build or upgrade that the menu would not offer there, or that
  // the money does not pay, does nothing and gives null or false.
  KpTower* build(int spot, int towerId);
  // To the tier with that prototype id, one of the tower's base prototype's.
  bool upgrade(int spot, int tierId);
  bool sell(int spot);
  bool buySpot(int spot);
  KpTower* towerOn(int spot) const;
  // The menu's price of that tower, or of that tier for the tower on the
  // spot; 0 when it offers none.
  float buildPrice(int towerId) const;
  float upgradePrice(int spot, int tierId) const;
  // The money a spot not yet bought asks; 0 for an open spot or none.
  int spotPrice(int spot) const;

  KpMap& map() const { return map_; }
  int money() const;
  float life() const;
  bool won() const;
  bool lost() const;
  bool ended() const { return won() || lost(); }
  // Groups of waves that have come and gone.
  int finishedGroups() const;

 private:
  KpFrameEntry* spotImage(int spot) const;

  KpMap& map_;
  TempFolder levelFolder_;
};

}  // namespace testing_support
