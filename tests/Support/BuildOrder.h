#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace testing_support {

class LevelRun;

// One step of a build order, as the campaign's design plays its levels.
struct BuildStep {
  enum Kind { kBuild, kUpgrade, kBuySpot, kGift };
  Kind kind;
  // In level file order; none for a gift.
  int spot;
  // The tower of a build, the tier of an upgrade, the money of a gift.
  int value;
  // The step waits until this many groups of waves have come and gone.
  int fromGroup;
};

inline BuildStep Build(int spot, int tower, int fromGroup = 0) { return {BuildStep::kBuild, spot, tower, fromGroup}; }
inline BuildStep Up(int spot, int tier, int fromGroup = 0) { return {BuildStep::kUpgrade, spot, tier, fromGroup}; }
inline BuildStep Buy(int spot, int fromGroup = 0) { return {BuildStep::kBuySpot, spot, 0, fromGroup}; }
// Money the first level's tutorial hands out.
inline BuildStep Gift(int money, int fromGroup = 0) { return {BuildStep::kGift, -1, money, fromGroup}; }

// A campaign level with the build order it was designed to be won with.
struct CampaignBuildOrder {
  const char* name;  // Normal_1_3 or the like
  int mode;          // 1 normal, 3 hardcore
  int episode;       // 0-based
  int level;         // 0-based
  std::vector<BuildStep> steps;
};

// Every level of both modes.
const std::vector<CampaignBuildOrder>& CampaignBuildOrders();

// Follows a build order between the frames of a level run: the steps are
// taken in order, each as soon as it is due and the money pays it; a step
// that cannot be taken yet holds back those after it.
class BuildOrderPlayer {
 public:
  BuildOrderPlayer(LevelRun& level, const std::vector<BuildStep>& steps) : level_(level), steps_(steps) {}

  // Takes every step that is due and paid. A step that the game refuses
  // though the money pays it stops the order for good.
  void play();

  std::size_t stepsTaken() const { return next_; }
  // The step the game refused, if one was.
  std::optional<std::size_t> refusedStep() const { return refused_; }

 private:
  float priceOf(const BuildStep& step) const;
  bool take(const BuildStep& step);

  LevelRun& level_;
  const std::vector<BuildStep>& steps_;
  std::size_t next_ = 0;
  std::optional<std::size_t> refused_;
};

}  // namespace testing_support
