#include "tests/Support/BusiestMoment.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "Game/KpBulletList.h"
#include "Game/KpMap.h"
#include "Game/KpWaves.h"
#include "tests/Support/BuildOrder.h"
#include "tests/Support/LevelRun.h"

namespace testing_support {

namespace {

constexpr const char* kBusiestLevel = "Normal_2_5";
constexpr float kReplaySpeed = 2.0f;
constexpr float kMaxFrameSeconds = 900.0f;

const CampaignBuildOrder& BusiestLevel() {
  const auto& orders = CampaignBuildOrders();
  return *std::find_if(orders.begin(), orders.end(),
                       [](const CampaignBuildOrder& order) { return std::string_view(order.name) == kBusiestLevel; });
}

bool InLastGroup(const LevelRun& level) { return level.finishedGroups() == level.map().waves->getWaveCount() - 1; }

// The level from its start with its build order, frame by frame, until
// onFrame returns false or the level ends.
template <class OnFrame>
bool Replay(LevelRun& level, OnFrame onFrame) {
  const CampaignBuildOrder& order = BusiestLevel();
  if (!level.loadCampaignLevel(order.mode, order.episode, order.level)) return false;
  level.map().gameSpeed = kReplaySpeed;
  BuildOrderPlayer player(level, order.steps);
  int frame = 0;
  return level.runUntil(
      [&] {
        player.play();
        return level.ended() || !onFrame(frame++);
      },
      kMaxFrameSeconds);
}

std::optional<int> PeakFrame(LevelRun& level) {
  std::optional<int> peak;
  std::size_t largest = 0;
  Replay(level, [&](int frame) {
    if (InLastGroup(level) && Crowd(level.map()) > largest) {
      largest = Crowd(level.map());
      peak = frame;
    }
    return true;
  });
  return peak;
}

}  // namespace

std::size_t Crowd(const KpMap& map) { return map.waves->enemies().size() + map.bullets->bullets().size(); }

bool PlayToBusiestMoment(LevelRun& level, int framesBefore) {
  static const std::optional<int> peak = PeakFrame(level);
  if (!peak) return false;
  const int start = std::max(0, *peak - framesBefore);
  bool reached = false;
  Replay(level, [&](int frame) {
    reached = frame >= start;
    return !reached;
  });
  return reached;
}

}  // namespace testing_support
