#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Game/KpProto.h"
#include "Game/UpgradeChainCost.h"
#include "Game/UpgradeList.h"
#include "Game/UpgradedTowerProto.h"
#include "tests/Game/ProtoFixtures.h"

namespace {

using proto_fixtures::Levels;
using proto_fixtures::Unlocks;

std::string Step(const std::string& attributes) {
  return R"(<step cost_g="1" cost_r="5"><attributes>)" + attributes + "</attributes></step>";
}

std::string Upgrade(int id, const std::string& targets, const std::string& steps, int section = 0) {
  std::string text = "<upgrade id=\"" + std::to_string(id) + "\" section=\"" + std::to_string(section) +
                     "\" icon=\"x\"><targets>";
  text += targets + "</targets><steps>" + steps + "</steps></upgrade>";
  return text;
}

std::string Target(int id) { return "<target id=\"" + std::to_string(id) + "\"/>"; }
std::string Percent(const char* name, const char* value) {
  return std::string("<a name=\"") + name + "\" value=\"" + value + "\"/>";
}

UpgradeList ListOf(const std::string& upgrades) {
  UpgradeList list;
  list.loadText("<upgrades>" + upgrades + "</upgrades>", "upgrades.xml");
  return list;
}

class UpgradeTest : public ::testing::Test {
 protected:
  UpgradeTest() { proto_fixtures::RecordLog(log_); }
  ~UpgradeTest() override { SingletonRegistry::Shutdown(); }
  std::vector<base::WString> log_;
};

struct ArithmeticCase {
  const char* name;
  std::vector<const char*> steps;  // one upgrade per step, each bought at step 0
  const char* property;
  float base;
  float copy;   // the upgraded copy
  float bonus;  // what a placed tower's bonus receives
};

// The prototype value a step property changes.
float Value(const KpProto& proto, const std::string& property) {
  if (property == "radius") return proto.range;
  if (property == "strength") return proto.strength;
  if (property == "cost") return proto.cost;
  if (property == "cooldown") return proto.cooldown;
  if (property == "speed") return proto.speed;
  return static_cast<float>(proto.goldIncome);
}

void SetValue(KpProto& proto, const std::string& property, float value) {
  if (property == "radius") proto.range = value;
  if (property == "strength") proto.strength = value;
  if (property == "cost") proto.cost = value;
  if (property == "cooldown") proto.cooldown = value;
  if (property == "speed") proto.speed = value;
  if (property == "goldIncome") proto.goldIncome = static_cast<int>(value);
}

const ArithmeticCase kArithmetic[] = {
    {"StrengthRoundsUp", {"15"}, "strength", 10, 12, 2},
    {"StrengthStepsCompoundOnCopiesButAddOnTowers", {"10", "10"}, "strength", 100, 121, 20},
    {"CostRoundsDown", {"10"}, "cost", 75, 82, 0},
    {"NegativeCostRoundsDown", {"-10"}, "cost", 75, 67, 0},
    {"RangeIsExact", {"5"}, "radius", 300, 315, 15},
    {"CooldownShrinks", {"10"}, "cooldown", 2, 1.8f, -0.2f},
    {"CooldownStepsCompoundOnCopies", {"50", "50"}, "cooldown", 4, 1, -4},
    {"SpeedRoundsDown", {"15"}, "speed", 10, 11, 0},
    {"GoldIncomeTruncates", {"50"}, "goldIncome", 7, 10, 0},
    {"NegativeGoldIncomeTruncatesTowardsZero", {"-50"}, "goldIncome", 7, 4, 0},
    {"HugePercentStaysInRange", {"1e30"}, "goldIncome", 7, 2147483520.0f, 0},
};

class UpgradeArithmeticTest : public UpgradeTest, public ::testing::WithParamInterface<ArithmeticCase> {};

TEST_P(UpgradeArithmeticTest, CopiesCompoundAndTowersAddUp) {
  const ArithmeticCase& c = GetParam();
  std::string upgrades;
  Levels levels;
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    upgrades += Upgrade(static_cast<int>(i + 1), Target(50), Step(Percent(c.property, c.steps[i])));
    levels.set(static_cast<int>(i + 1), 0);
  }
  const UpgradeList list = ListOf(upgrades);
  Unlocks unlocks{50};

  KpProto tier;
  tier.id = 50;
  SetValue(tier, c.property, c.base);
  KpProto copy;
  copy.copyFrom(tier);
  list.applyToProto(copy, levels, unlocks);
  EXPECT_FLOAT_EQ(Value(copy, c.property), c.copy);

  KpProto bonus;
  list.applyToTower(tier, bonus, levels, unlocks);
  EXPECT_FLOAT_EQ(Value(bonus, c.property), c.bonus);
}

INSTANTIATE_TEST_SUITE_P(Percentages, UpgradeArithmeticTest, ::testing::ValuesIn(kArithmetic),
                         [](const ::testing::TestParamInfo<ArithmeticCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(UpgradeTest, OneOpenTargetOpensTheUpgradeForAllItsTargets) {
  const UpgradeList list = ListOf(Upgrade(1, Target(10000) + Target(20000), Step(Percent("strength", "50"))));
  Levels levels{{1, 0}};
  KpProto proto;
  proto.id = 10000;
  proto.strength = 10;
  Unlocks onlyTheSecond{20000};
  list.applyToProto(proto, levels, onlyTheSecond);
  EXPECT_FLOAT_EQ(proto.strength, 15.0f);
  Unlocks none;
  list.applyToProto(proto, levels, none);
  EXPECT_FLOAT_EQ(proto.strength, 15.0f);
}

TEST_F(UpgradeTest, BoughtLevelSelectsTheStepAndNoneBeyondTheLast) {
  const UpgradeList list =
      ListOf(Upgrade(1, Target(5), Step(Percent("strength", "10")) + Step(Percent("strength", "100"))));
  struct {
    int level;
    float strength;
  } cases[] = {{-1, 10}, {0, 11}, {1, 20}, {2, 10}, {-7, 10}};
  Unlocks unlocks{5};
  for (const auto& c : cases) {
    Levels levels;
    levels.set(1, c.level);
    KpProto proto;
    proto.id = 5;
    proto.strength = 10;
    list.applyToProto(proto, levels, unlocks);
    EXPECT_FLOAT_EQ(proto.strength, c.strength) << "level " << c.level;
  }
}

TEST_F(UpgradeTest, MapWideStepsReplaceEachOtherAndOnlyAboveZero) {
  const UpgradeList list =
      ListOf(Upgrade(1, Target(-1), Step(Percent("maxHP", "3") + Percent("enemyCost", "20"))) +
             Upgrade(2, Target(-1) + Target(7), Step(Percent("maxHP", "5") + Percent("enemyCost", "-5") +
                                                     Percent("startBudget", "10"))) +
             Upgrade(3, Target(7) + Target(-1), Step(Percent("maxHP", "40"))) + Upgrade(4, "", Step(Percent("maxHP", "50"))));
  Levels allBought{{1, 0}, {2, 0}, {3, 0}, {4, 0}};
  const MapUpgradeBonus bonus = list.applyToMap(allBought);
  EXPECT_EQ(bonus.lifeBonus, 5);
  EXPECT_FLOAT_EQ(bonus.enemyCostFraction, 0.2f);
  EXPECT_FLOAT_EQ(bonus.startBudgetFraction, 0.1f);

  Levels nothingBought;
  const MapUpgradeBonus none = list.applyToMap(nothingBought);
  EXPECT_EQ(none.lifeBonus, 0);
  EXPECT_FLOAT_EQ(none.enemyCostFraction, 0.0f);
}

TEST_F(UpgradeTest, FindSectionsStepsAndUnlocks) {
  const UpgradeList list = ListOf(Upgrade(1, Target(10), Step(""), 0) + Upgrade(2, Target(-1), "", 1) +
                                  Upgrade(3, Target(20) + Target(30), Step("") + Step(""), 0));
  ASSERT_NE(list.find(3), nullptr);
  EXPECT_EQ(list.find(4), nullptr);
  std::vector<const UpgradeDef*> section;
  list.collectSection(0, section);
  ASSERT_EQ(section.size(), 2u);
  EXPECT_EQ(section[1]->id, 3);
  const UpgradeDef& third = *list.find(3);
  EXPECT_NE(third.getStep(1), nullptr);
  EXPECT_EQ(third.getStep(2), nullptr);
  EXPECT_EQ(third.getStep(-1), nullptr);
  EXPECT_EQ(third.getStep(0)->costR, 5);
  Unlocks thirty{30};
  EXPECT_TRUE(third.isUnlocked(false, thirty));
  EXPECT_FALSE(list.find(1)->isUnlocked(true, thirty));
  EXPECT_TRUE(list.find(2)->isUnlocked(false, thirty));
}

TEST_F(UpgradeTest, UpgradedTowerIsACopyOfTheLibraryPrototype) {
  KpProtoLibrary library;
  proto_fixtures::LoadLibrary(library, "", "id;parent;strength\n10;-1;10");
  const UpgradeList list = ListOf(Upgrade(1, Target(10), Step(Percent("strength", "50"))));
  Levels levels{{1, 0}};
  Unlocks unlocks{10};
  const std::unique_ptr<KpProto> copy = CreateUpgradedTowerProto(library, list, levels, unlocks, 10);
  ASSERT_NE(copy, nullptr);
  EXPECT_FLOAT_EQ(copy->strength, 15.0f);
  EXPECT_FLOAT_EQ(library.find(10)->strength, 10.0f);
  EXPECT_EQ(CreateUpgradedTowerProto(library, list, levels, unlocks, 11), nullptr);
}

KpProto Tier(int levelId, int require, float cost) {
  KpProto tier;
  tier.levelId = levelId;
  tier.require = require;
  tier.cost = cost;
  return tier;
}

TEST_F(UpgradeTest, ChainCostAddsTheTiersBetween) {
  const KpProto a = Tier(1, 0, 100), b = Tier(2, 1, 150), c = Tier(3, 2, 70);
  const std::vector<const KpProto*> tiers{&c, &a, &b};
  EXPECT_FLOAT_EQ(UpgradeChainCost(0, tiers, &a), 100.0f);
  EXPECT_FLOAT_EQ(UpgradeChainCost(0, tiers, &b), 250.0f);
  EXPECT_FLOAT_EQ(UpgradeChainCost(0, tiers, &c), 320.0f);
  EXPECT_FLOAT_EQ(UpgradeChainCost(1, tiers, &c), 220.0f);
  EXPECT_FLOAT_EQ(UpgradeChainCost(0, tiers, nullptr), 0.0f);
  EXPECT_TRUE(log_.empty());
}

TEST_F(UpgradeTest, BrokenOrCircularChainCostsTheOwnPriceAndIsLogged) {
  const KpProto orphan = Tier(3, 2, 70);
  const KpProto x = Tier(1, 2, 10), y = Tier(2, 1, 20);
  const KpProto self = Tier(4, 4, 5);
  struct {
    const char* name;
    std::vector<const KpProto*> tiers;
    const KpProto* proto;
    float cost;
  } cases[] = {{"broken", {&orphan}, &orphan, 70}, {"circle", {&x, &y}, &y, 20}, {"self", {&self}, &self, 5}};
  for (const auto& c : cases) {
    log_.clear();
    EXPECT_FLOAT_EQ(UpgradeChainCost(0, c.tiers, c.proto), c.cost) << c.name;
    EXPECT_EQ(log_.size(), 1u) << c.name;
  }
}

}  // namespace
