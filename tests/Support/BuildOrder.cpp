#include "tests/Support/BuildOrder.h"

#include "Game/KpMap.h"
#include "Game/KpWallet.h"
#include "tests/Support/LevelRun.h"

namespace testing_support {

// The orders the levels were balanced with, a row per level: its name, mode,
// episode and level, then the steps.
const std::vector<CampaignBuildOrder>& CampaignBuildOrders() {
  // clang-format off
  static const std::vector<CampaignBuildOrder> orders = {
      {"Normal_1_1", 1, 0, 0,
       {Build(0, 10000), Build(2, 10000, 1), Gift(70, 1), Gift(110, 2), Buy(4, 2), Build(4, 10000, 2), Gift(60, 3),
        Up(2, 10001, 3), Build(3, 10000), Up(0, 10001), Up(4, 10001)}},
      {"Normal_1_2", 1, 0, 1,
       {Build(1, 10000), Build(2, 20000), Build(0, 10000), Up(1, 10001), Up(2, 20001), Build(4, 20000), Up(0, 10001),
        Build(5, 10000), Up(4, 20001), Build(6, 10000), Up(5, 10001)}},
      {"Normal_1_3", 1, 0, 2,
       {Build(2, 10000), Build(4, 20000), Build(5, 40000), Build(6, 10000), Up(2, 10001), Up(4, 20001), Build(0, 10000),
        Up(6, 10001), Up(2, 10002), Build(3, 20000), Buy(8), Build(8, 20000), Up(6, 10002), Up(8, 20001),
        Up(0, 10001)}},
      {"Normal_1_4", 1, 0, 3,
       {Build(3, 30000), Build(4, 10000), Build(1, 20000), Up(3, 30001), Build(0, 40000), Up(4, 10001), Up(1, 20001),
        Build(6, 30000), Buy(7), Build(7, 10000), Up(1, 20002), Up(4, 10002), Up(6, 30001), Up(7, 10001),
        Build(2, 20000), Up(2, 20001), Up(7, 10002)}},
      {"Normal_1_5", 1, 0, 4,
       {Build(2, 30000), Build(1, 10000), Build(5, 20000), Up(2, 30001), Build(3, 40000), Up(1, 10001), Up(5, 20001),
        Build(6, 20000), Up(2, 30002), Build(7, 10000), Up(6, 20001), Up(1, 10002), Up(3, 40001), Up(7, 10001),
        Up(5, 20002), Up(6, 20002), Up(5, 20100), Up(1, 10100), Build(0, 30000), Up(7, 10002), Up(0, 30001)}},
      {"Normal_2_1", 1, 1, 0,
       {Build(7, 30000), Build(6, 10000), Build(3, 20000), Up(7, 30001), Up(6, 10001), Build(0, 40000), Up(3, 20001),
        Up(7, 30002), Up(0, 40001), Up(0, 40002), Up(0, 40200), Up(6, 10002), Build(4, 30000), Up(3, 20002),
        Up(4, 30001), Build(2, 10000), Up(6, 10100), Up(2, 10001), Up(4, 30002), Up(2, 10002)}},
      {"Normal_2_2", 1, 1, 1,
       {Build(2, 30000), Build(5, 10000), Build(6, 20000), Up(2, 30001), Build(3, 10000), Build(4, 40000), Up(5, 10001),
        Up(6, 20001), Up(2, 30002), Up(3, 10001), Up(5, 10002), Up(6, 20002), Up(5, 10200), Build(0, 20000),
        Build(1, 20000), Up(3, 10002), Up(0, 20001), Up(1, 20001), Up(4, 40001), Up(3, 10100)}},
      {"Normal_2_3", 1, 1, 2,
       {Build(5, 30000), Build(3, 10000), Build(4, 20000), Up(5, 30001), Build(0, 10000), Build(2, 20000), Up(3, 10001),
        Up(4, 20001), Up(5, 30002), Build(6, 40000), Up(0, 10001), Up(2, 20001), Up(3, 10002), Up(4, 20002),
        Up(4, 20200), Buy(7), Build(7, 30000), Up(7, 30001), Up(0, 10002), Up(6, 40001), Up(3, 10100), Up(2, 20002),
        Up(7, 30002)}},
      {"Normal_2_4", 1, 1, 3,
       {Build(4, 10000), Build(2, 30000), Build(5, 10000), Up(4, 10001), Build(1, 20000), Up(2, 30001), Up(5, 10001),
        Up(4, 10002), Up(1, 20001), Up(5, 10002), Build(3, 40000), Up(4, 10100), Up(2, 30002), Up(2, 30100), Buy(7),
        Build(7, 10000), Up(7, 10001), Up(5, 10100), Up(7, 10002), Build(6, 20000), Up(6, 20001), Up(1, 20002)}},
      {"Normal_2_5", 1, 1, 4,
       {Build(5, 30000), Build(4, 10000), Build(6, 20000), Up(5, 30001), Build(7, 10000), Up(4, 10001), Up(6, 20001),
        Up(5, 30002), Build(1, 40000), Up(7, 10001), Up(4, 10002), Up(6, 20002), Up(5, 30200), Up(7, 10002),
        Build(2, 10000), Build(0, 20000), Up(2, 10001), Up(7, 10100), Up(0, 20001), Up(4, 10100), Up(2, 10002),
        Up(6, 20200), Buy(8), Build(8, 30000), Up(8, 30001), Up(1, 40001), Up(0, 20002), Up(8, 30002)}},
      {"Hardcore_1_1", 3, 0, 0,
       {Build(5, 40000), Build(2, 10000), Build(4, 20000), Build(6, 10000), Up(2, 10001), Up(4, 20001), Build(0, 10000),
        Up(5, 40001), Up(2, 10002), Up(6, 10001), Build(3, 20000), Up(4, 20002), Up(6, 10002), Buy(8), Build(8, 30000),
        Up(2, 10100), Up(4, 20100), Up(0, 10001), Up(8, 30001), Up(3, 20001), Up(6, 10100), Up(8, 30002), Up(0, 10002),
        Build(1, 10000)}},
      {"Hardcore_1_2", 3, 0, 1,
       {Build(2, 30000), Build(1, 10000), Build(5, 20000), Build(3, 40000), Build(6, 20000), Up(1, 10001), Up(2, 30001),
        Up(5, 20001), Up(6, 20001), Build(7, 10000), Up(1, 10002), Up(2, 30002), Up(5, 20002), Up(5, 20100),
        Up(6, 20002), Up(7, 10001), Up(2, 30100), Buy(8), Build(8, 10000), Up(8, 10001), Up(6, 20200), Up(1, 10100),
        Up(7, 10002), Build(0, 30000), Up(0, 30001), Up(8, 10002)}},
      {"Hardcore_2_1", 3, 1, 0,
       {Build(2, 30000), Build(5, 10000), Build(6, 20000), Build(4, 40000), Up(5, 10001), Up(5, 10002), Up(5, 10200),
        Build(3, 10000), Up(2, 30001), Up(6, 20001), Up(3, 10001), Up(3, 10002), Up(2, 30002), Up(6, 20002),
        Build(0, 20000), Build(1, 20000), Up(3, 10100), Up(0, 20001), Up(1, 20001), Up(6, 20100), Up(2, 30100),
        Up(0, 20002), Up(1, 20002)}},
      {"Hardcore_2_2", 3, 1, 1,
       {Build(5, 30000), Build(4, 10000), Build(6, 20000), Build(1, 40000), Up(4, 10001), Up(5, 30001), Up(6, 20001),
        Build(7, 10000), Up(4, 10002), Up(7, 10001), Up(5, 30002), Up(6, 20002), Up(7, 10002), Up(4, 10100),
        Build(2, 10000), Up(5, 30200), Build(0, 20000), Up(2, 10001), Up(6, 20100), Up(7, 10100), Up(0, 20001),
        Up(2, 10002), Buy(8), Build(8, 30000), Up(8, 30001), Up(1, 40001), Up(0, 20002), Up(8, 30002), Up(2, 10100)}},
  };
  // clang-format on
  return orders;
}

void BuildOrderPlayer::play() {
  while (next_ < steps_.size() && !refused_) {
    const BuildStep& step = steps_[next_];
    if (level_.finishedGroups() < step.fromGroup) return;
    if (priceOf(step) > static_cast<float>(level_.money())) return;
    if (!take(step)) {
      refused_ = next_;
      return;
    }
    ++next_;
  }
}

// What the menu asks for the step; 0 for what it does not offer, which the
// game then refuses.
float BuildOrderPlayer::priceOf(const BuildStep& step) const {
  switch (step.kind) {
    case BuildStep::kBuild:
      return level_.buildPrice(step.value);
    case BuildStep::kUpgrade:
      return level_.upgradePrice(step.spot, step.value);
    case BuildStep::kBuySpot:
      return static_cast<float>(level_.spotPrice(step.spot));
    case BuildStep::kGift:
      return 0.0f;
  }
  return 0.0f;
}

bool BuildOrderPlayer::take(const BuildStep& step) {
  switch (step.kind) {
    case BuildStep::kBuild:
      return level_.build(step.spot, step.value) != nullptr;
    case BuildStep::kUpgrade:
      return level_.upgrade(step.spot, step.value);
    case BuildStep::kBuySpot:
      return level_.buySpot(step.spot);
    case BuildStep::kGift:
      level_.map().wallet->addMoney(step.value);
      return true;
  }
  return false;
}

}  // namespace testing_support
