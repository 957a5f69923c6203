// Enemies on a campaign level of the running game: walking, dying, paying,
// exploding, carrying, raising the dead, drawing, and what they cost at the
// base.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Core/Purchase/Product.h"
#include "Core/Purchase/PurchaseResult.h"
#include "Core/Render/Graphics.h"
#include "Game/AbilityModifiers.h"
#include "Game/CurveGeometry.h"
#include "Game/Game.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpParticle.h"
#include "Game/KpPickups.h"
#include "Game/KpPoint.h"
#include "Game/KpPopupList.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"
#include "Game/KpWaveProto.h"
#include "Game/KpWaves.h"
#include "Game/LowLifeOffer.h"
#include "Game/OwnedPointers.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/LevelRun.h"
#include "tests/Support/WorldScenario.h"

namespace {

constexpr float kStep = 1.0f / 30.0f;
// Far longer than any unit needs to cross the first level.
constexpr int kMaxSteps = 30 * 600;

// The unit ids of the campaign's sheet that show each behaviour.
constexpr int kGloamling = 1;  // plain, strength 1, cost 7, health 50
constexpr int kDrake = 10;  // flies straight to the goal
constexpr int kBroodmother = 7;  // carries three broodlings
constexpr int kBroodling = 11;
constexpr int kGravecaller = 13;  // raises the dead within 200
constexpr int kHusk = 39;  // what the dead rise as
constexpr int kLampsnuffer = 14;  // explodes for 80 within 100

// The first campaign level with the units the test spawns; the test steps
// them itself, so the level's own waves never come.
class EnemyTest : public testing_support::WorldScenario {
 protected:
  void SetUp() override {
    WorldScenario::SetUp();
    map_ = &level().map();
    LoadLevel(1);
  }

  void LoadLevel(int mode) {
    ASSERT_TRUE(level().loadCampaignLevel(mode, 0, 0));
    ASSERT_FALSE(map_->waves->waves().empty());
  }

  // A unit of the first wave's lane at the level's spawn point.
  KpEnemy& Spawn(int unitId) {
    KpWaveProto* wave = map_->waves->waves().front();
    auto* entry = new KpWaveEntry(wave);
    entry->unitId = unitId;
    entry->y = wave->entries.front()->y;
    entry->x = KpWaveEntry::kMadeAtRunTime;
    wave->entries.push_back(entry);
    return *map_->spawnUnit(entry, map_->findSpawnPoint());
  }

  // Every unit on the map, those that join included, for one step.
  void StepAll() {
    const std::vector<KpEnemy*>& units = map_->waves->enemies();
    for (std::size_t i = 0; i < units.size(); ++i) units[i]->update(kStep);
  }

  // Steps until the unit leaves play; false when it never does.
  bool RunUntilGone(const KpEnemy& unit) {
    for (int n = 0; n < kMaxSteps && unit.inPlay; ++n) StepAll();
    return !unit.inPlay;
  }

  std::vector<KpEnemy*> UnitsOf(int unitId) const {
    std::vector<KpEnemy*> found;
    for (KpEnemy* unit : map_->waves->enemies())
      if (unit->entry->unitId == unitId) found.push_back(unit);
    return found;
  }

  KpMap* map_ = nullptr;
};

TEST_F(EnemyTest, RouteUnitWalksItsLanesToTheBaseAndCostsItsStrengthOnce) {
  KpEnemy& unit = Spawn(kGloamling);
  ASSERT_GE(unit.route.size(), 2u);
  EXPECT_EQ(unit.route.front(), map_->findSpawnPoint()->id);
  EXPECT_EQ(unit.route.back(), map_->findGoalPoint()->id);
  EXPECT_GT(unit.linkLength, 0.0f);
  EXPECT_EQ(unit.health, 50.0f);
  const float lifeBefore = map_->life;

  for (int n = 0; n < 30; ++n) StepAll();
  EXPECT_NEAR(unit.fade, 1.0f, 1e-6f) << "faded in";
  const KpPoint* spawn = map_->findSpawnPoint();
  EXPECT_LT(Distance2D(unit.x, unit.y, spawn->x, spawn->y), 60.0f) << "walked about its speed of 40 in a second";
  EXPECT_EQ(unit.shownX, unit.x);

  ASSERT_TRUE(RunUntilGone(unit));
  EXPECT_TRUE(unit.reachedBase);
  EXPECT_EQ(unit.entry->state, KpWaveEntry::kEscaped);
  EXPECT_EQ(unit.routeIndex + 1, static_cast<int>(unit.route.size()));
  EXPECT_EQ(map_->life, lifeBefore - 1.0f);
  EXPECT_EQ(map_->wallet->leakedCount, 1);
  EXPECT_EQ(map_->wallet->leakDamage, 1);
  EXPECT_EQ(map_->screenState, kScreenPlay);

  // Still listed until the waves remove it: more frames cost nothing more.
  for (int n = 0; n < 10; ++n) StepAll();
  map_->onUnitReachedBase(&unit);
  EXPECT_EQ(map_->life, lifeBefore - 1.0f);
  EXPECT_EQ(map_->wallet->leakedCount, 1);
}

TEST_F(EnemyTest, StraightUnitFliesToTheGoalWhateverSlowsOrHastensIt) {
  KpEnemy& unit = Spawn(kDrake);
  ASSERT_EQ(unit.route.size(), 2u);
  const KpPoint* goal = map_->findGoalPoint();
  const KpPoint* spawn = map_->findSpawnPoint();
  EXPECT_EQ(unit.x, spawn->x);
  EXPECT_TRUE(unit.isFlying());
  const float distance = Distance2D(spawn->x, spawn->y, goal->x, goal->y);
  const float lifeBefore = map_->life;
  int steps = 0;
  for (; steps < kMaxSteps && unit.inPlay; ++steps) {
    unit.speedReduction = 30.0f;  // the whole speed: a hold
    unit.hasteTime = 5.0f;
    unit.targetSpeedFactor = 2.0f;
    unit.update(kStep);
  }
  ASSERT_FALSE(unit.inPlay);
  EXPECT_LT(Distance2D(unit.shownX, unit.shownY, goal->x, goal->y), 50.0f + 1.0f);
  // At its own 30 per second, from the spawn point to within 50 of the goal.
  EXPECT_NEAR(static_cast<float>(steps) * kStep * 30.0f, distance - 50.0f, 2.0f);
  EXPECT_EQ(map_->life, lifeBefore - 3.0f);
}

TEST_F(EnemyTest, KilledUnitPaysItsRewardPlaysItsDeathAndFadesOut) {
  KpEnemy& unit = Spawn(kGloamling);
  for (int n = 0; n < 30; ++n) StepAll();
  const int moneyBefore = map_->wallet->money;
  const std::size_t popupsBefore = map_->popups->popups().size();

  unit.damage(30.0f);
  EXPECT_EQ(unit.health, 20.0f);
  EXPECT_EQ(unit.healthBarTime, 2.5f);
  unit.damage(30.0f);
  StepAll();
  EXPECT_EQ(unit.state, KpEnemy::kDying);
  EXPECT_EQ(map_->wallet->money, moneyBefore + 7);
  EXPECT_EQ(map_->wallet->killMoney, 7);
  ASSERT_EQ(map_->popups->popups().size(), popupsBefore + 1);
  EXPECT_EQ(map_->popups->popups().back()->text, u"+ 7");
  EXPECT_EQ(map_->popups->popups().back()->kind, KpPopup::kMoney);

  unit.damage(100.0f);
  EXPECT_EQ(unit.health, -10.0f) << "the dying take no more damage";
  const float x = unit.x;
  bool faded = false;
  for (int n = 0; n < kMaxSteps && unit.inPlay; ++n) {
    StepAll();
    faded = faded || unit.state == KpEnemy::kFading;
  }
  EXPECT_TRUE(faded);
  EXPECT_FALSE(unit.inPlay);
  EXPECT_FALSE(unit.reachedBase);
  EXPECT_EQ(unit.x, x) << "the dead do not walk";
  EXPECT_EQ(map_->wallet->money, moneyBefore + 7) << "paid once";
}

TEST_F(EnemyTest, ExplosionHurtsTheUnitsAroundButNeverTheExploder) {
  KpEnemy& bomb = Spawn(kLampsnuffer);
  KpEnemy& near = Spawn(kGloamling);
  KpEnemy& far = Spawn(kGloamling);
  StepAll();
  far.x += 150.0f;
  const std::size_t effectsBefore = map_->fxEmitters.size();
  bomb.damage(10000.0f);
  StepAll();
  EXPECT_EQ(bomb.state, KpEnemy::kDying);
  EXPECT_EQ(map_->fxEmitters.size(), effectsBefore + 1) << "the blast effect";
  // Later in the list, so it starts dying in the same frame.
  EXPECT_EQ(near.state, KpEnemy::kDying);
  EXPECT_EQ(far.health, 50.0f);
  EXPECT_EQ(far.state, KpEnemy::kWalking);
}

TEST_F(EnemyTest, CarrierReleasesThreePassengersOnItsRouteJustBehindIt) {
  KpEnemy& carrier = Spawn(kBroodmother);
  for (int n = 0; n < 60; ++n) StepAll();
  carrier.damage(10000.0f);
  StepAll();
  const std::vector<KpEnemy*> passengers = UnitsOf(kBroodling);
  ASSERT_EQ(passengers.size(), 3u);
  float previous = -1.0f;
  for (const KpEnemy* passenger : passengers) {
    EXPECT_EQ(passenger->route, carrier.route);
    EXPECT_EQ(passenger->routeIndex, carrier.routeIndex);
    EXPECT_EQ(passenger->entry->x, KpWaveEntry::kMadeAtRunTime);
    EXPECT_TRUE(passenger->entry->spawned);
    EXPECT_GT(passenger->linkPosition, previous) << "spread along the link";
    previous = passenger->linkPosition;
  }
  EXPECT_EQ(map_->waves->waves().front()->entries.back(), passengers.back()->entry);
  ASSERT_TRUE(RunUntilGone(*passengers.front()));
  EXPECT_TRUE(passengers.front()->reachedBase) << "the passengers walk on to the base";
}

TEST_F(EnemyTest, RaiserRaisesTheDeadOnceAndWaitsForItsSpell) {
  KpEnemy& raiser = Spawn(kGravecaller);
  KpEnemy& victim = Spawn(kGloamling);
  for (int n = 0; n < 30; ++n) StepAll();
  victim.damage(1000.0f);
  ASSERT_TRUE(RunUntilGone(victim));
  const std::vector<KpEnemy*> raised = UnitsOf(kHusk);
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised.front()->state, KpEnemy::kSpecial);
  EXPECT_EQ(raised.front()->route, victim.route);
  EXPECT_EQ(raised.front()->x, victim.x);
  EXPECT_EQ(raiser.state, KpEnemy::kSpecial);

  // A raised unit stays dead.
  raised.front()->damage(1000.0f);
  ASSERT_TRUE(RunUntilGone(*raised.front()));
  EXPECT_EQ(UnitsOf(kHusk).size(), 1u);

  map_->restart();
  EXPECT_TRUE(map_->waves->enemies().empty());
}

// A raiser that dies with its victim raises nothing, so it never dies twice.
TEST_F(EnemyTest, ADeadRaiserRaisesNoOne) {
  KpEnemy& raiser = Spawn(kGravecaller);
  KpEnemy& victim = Spawn(kGloamling);
  for (int n = 0; n < 30; ++n) StepAll();
  raiser.damage(1000.0f);
  victim.damage(1000.0f);
  ASSERT_TRUE(RunUntilGone(victim));
  EXPECT_TRUE(UnitsOf(kHusk).empty());
}

struct DifficultyCase {
  const char* name;
  int mode;
  float health;
};

class EnemyDifficultyTest : public EnemyTest, public ::testing::WithParamInterface<DifficultyCase> {};

TEST_P(EnemyDifficultyTest, ModeScalesHealth) {
  LoadLevel(GetParam().mode);
  KpEnemy& unit = Spawn(kGloamling);
  EXPECT_FLOAT_EQ(unit.health, GetParam().health);
  EXPECT_FLOAT_EQ(unit.getMaxHealth(), GetParam().health);
}

INSTANTIATE_TEST_SUITE_P(Modes, EnemyDifficultyTest,
                         ::testing::Values(DifficultyCase{"Easy", 0, 45.0f}, DifficultyCase{"Normal", 1, 50.0f},
                                           DifficultyCase{"Hard", 2, 55.0f}, DifficultyCase{"Hardcore", 3, 50.0f}),
                         testing_support::RowName());

TEST_F(EnemyTest, EveryModeWalksAtTheSameSpeed) {
  std::vector<CurvePoint> reached;
  for (const int mode : {0, 2}) {
    LoadLevel(mode);
    KpEnemy& unit = Spawn(kGloamling);
    for (int n = 0; n < 30; ++n) unit.update(kStep);
    reached.push_back({unit.x, unit.y});
  }
  EXPECT_EQ(reached[0].x, reached[1].x);
  EXPECT_EQ(reached[0].y, reached[1].y);
}

TEST_F(EnemyTest, LifeRunningOutLosesTheLevelOnceAndKeepsTheGemsLyingAround) {
  map_->life = 1.5f;
  for (const int state : {KpSprite::kPickupReady, KpSprite::kPickupReady, KpSprite::kPickupCollected}) {
    auto* gem = new KpSprite;
    gem->state = state;
    map_->gemPickups.push_back(gem);
  }
  const int gemsBefore = map_->wallet->gems;
  KpEnemy& first = Spawn(kGloamling);
  ASSERT_TRUE(RunUntilGone(first));
  EXPECT_EQ(map_->life, 0.5f);
  EXPECT_EQ(map_->screenState, kScreenPlay);

  KpEnemy& second = Spawn(kGloamling);
  KpEnemy& third = Spawn(kGloamling);
  ASSERT_TRUE(RunUntilGone(third));
  EXPECT_FALSE(second.inPlay);
  EXPECT_EQ(map_->life, 0.0f);
  EXPECT_EQ(map_->screenState, kScreenLevelLost);
  EXPECT_EQ(map_->levelResultCode, kLevelResultLost);
  EXPECT_EQ(map_->gameSpeed, 0.0f);
  EXPECT_EQ(map_->wallet->leakedCount, 3) << "leaks at zero life still count";
  EXPECT_EQ(map_->wallet->gems, gemsBefore + 2);
  EXPECT_EQ(map_->wallet->gemsEarned, 2);
  EXPECT_TRUE(map_->gemPickups.empty());
}

TEST_F(EnemyTest, HealthOfferShowsNoPriceWhenTheStoreGaveNone) {
  EXPECT_EQ(HealthOfferMessage(), u"Relight the hearth for ?");
}

TEST_F(EnemyTest, StoreAnswersCreditGemsAndHealthAndRepeatTheFailedOffer) {
  const auto tell = [](const char16_t* name, purchase::PurchaseOutcome outcome) {
    purchase::Product product;
    product.name = name;
    purchase::NotifyPurchaseResult({&product, outcome});
  };
  const int gems = map_->wallet->gems;
  tell(u"buy_150_cr", purchase::kPurchaseCompleted);
  EXPECT_EQ(map_->wallet->gems, gems + 335);
  tell(u"buy_150_cr", purchase::kPurchaseFailed);
  tell(u"extra_energy", purchase::kPurchaseCompleted);
  EXPECT_EQ(map_->wallet->gems, gems + 335);

  map_->life = 0.0f;
  map_->offerHealth();
  EXPECT_EQ(map_->gameSpeed, 0.0f);
  map_->screenState = kScreenHealthPurchase;
  tell(u"buy_health", purchase::kPurchaseFailed);
  EXPECT_EQ(map_->screenState, kScreenLowLifeOffer);
  EXPECT_EQ(map_->life, 0.0f);
  map_->screenState = kScreenHealthPurchase;
  tell(u"buy_health", purchase::kPurchaseCompleted);
  EXPECT_EQ(map_->screenState, kScreenPlay);
  EXPECT_EQ(map_->life, map_->maxLife);
  EXPECT_EQ(map_->gameSpeed, 0.0f) << "play resumes with the play button";
}

TEST_F(EnemyTest, UnitsTheSheetsCannotPlayLeaveInsteadOfHanging) {
  KpEnemy& unknown = Spawn(4242);
  EXPECT_EQ(unknown.health, 0.0f);
  unknown.update(kStep);
  EXPECT_FALSE(unknown.inPlay);
  EXPECT_FALSE(unknown.reachedBase);

  // A sheet without frame rates still ends every death.
  const_cast<KpProto*>(map_->protos->find(kGloamling))->fps = 0.0f;
  KpEnemy& unit = Spawn(kGloamling);
  StepAll();
  unit.damage(1000.0f);
  ASSERT_TRUE(RunUntilGone(unit));
  EXPECT_FALSE(unit.reachedBase);
}

TEST_F(EnemyTest, HitsAndHealsShowTheBarAndHealsStopAtFullHealth) {
  KpEnemy& unit = Spawn(kGloamling);
  unit.invisibleTime = 2.0f;
  unit.targetOpacity = 0.4f;
  unit.damage(0.0f);
  EXPECT_EQ(unit.invisibleTime, 2.0f) << "the edge of a blast does not unveil";
  EXPECT_EQ(unit.healthBarTime, 2.5f);
  unit.damage(20.0f);
  EXPECT_EQ(unit.invisibleTime, 0.0f);
  EXPECT_EQ(unit.targetOpacity, 1.0f);
  unit.healthBarTime = 0.0f;
  unit.damage(-15.0f);
  EXPECT_EQ(unit.health, 45.0f);
  EXPECT_EQ(unit.healthBarTime, 2.5f);
  unit.damage(-15.0f);
  EXPECT_EQ(unit.health, 50.0f);
}

TEST_F(EnemyTest, GroundUnitsDrawWithTheTowersAndFliersAboveThem) {
  KpEnemy& walker = Spawn(kGloamling);
  KpEnemy& flier = Spawn(kDrake);
  for (int n = 0; n < 10; ++n) StepAll();
  for (std::vector<KpFrameEntry*>& queue : map_->drawQueues) DeleteAllPointersAndFree(queue);
  render::Graphics graphics(*Game::sInstance->GetRender());
  walker.draw(graphics);
  flier.draw(graphics);
  ASSERT_EQ(map_->drawQueues[1].size(), 1u);
  ASSERT_EQ(map_->drawQueues[3].size(), 1u);
  const KpFrameEntry& ground = *map_->drawQueues[1].front();
  EXPECT_EQ(ground.bottom, walker.shownY);
  EXPECT_EQ(ground.mirror, walker.facingLeft);
  EXPECT_FALSE(ground.ownsImage);
  EXPECT_NE(ground.image, nullptr);
  EXPECT_FLOAT_EQ(ground.colour[3], walker.opacity * walker.fade);
  EXPECT_EQ(ground.shader, Game::sInstance->getMobShader());
  EXPECT_NE(walker.currentFrame, nullptr);
  const EnemyBounds box = walker.bounds();
  EXPECT_GT(box.width, 0.0f);
  EXPECT_NEAR(box.centreX, walker.shownX, box.width);
  EXPECT_EQ(map_->drawQueues[3].front()->bottom, flier.shownY);
  for (std::vector<KpFrameEntry*>& queue : map_->drawQueues) DeleteAllPointersAndFree(queue);
}

TEST_F(EnemyTest, RemovedUnitIsForgottenBySelectionTowersAndBeams) {
  KpEnemy& unit = Spawn(kGloamling);
  KpEnemy& other = Spawn(kGloamling);
  map_->selectedUnit = &unit;
  auto* tower = new KpTower;
  tower->target = &unit;
  tower->state = KpTower::kTracking;
  map_->towers.push_back(tower);
  auto* beam = new KpBeamParticle(0.0f, 0.0f, &unit, "");
  map_->particles.push_back(beam);

  map_->onUnitRemoved(&other);
  EXPECT_EQ(map_->selectedUnit, &unit);
  EXPECT_EQ(tower->target, &unit);
  EXPECT_EQ(beam->target, &unit);
  map_->onUnitRemoved(&unit);
  EXPECT_EQ(map_->selectedUnit, nullptr);
  EXPECT_EQ(tower->target, nullptr);
  EXPECT_EQ(tower->state, KpTower::kIdle);
  EXPECT_EQ(beam->target, nullptr);
}

struct AbilityCase {
  const char* name;
  int unitId;
  std::vector<const char*> abilities;
};

class EnemyAbilityTest : public EnemyTest, public ::testing::WithParamInterface<AbilityCase> {};

std::string AbilityName(const KpModifier* modifier) {
  if (dynamic_cast<const HasteAreaModifier*>(modifier)) return "haste";
  if (dynamic_cast<const InvisibleAreaModifier*>(modifier)) return "invisibleArea";
  if (dynamic_cast<const InvisibleModifier*>(modifier)) return "invisible";
  if (dynamic_cast<const RegenModifier*>(modifier)) return "regen";
  if (dynamic_cast<const HealerModifier*>(modifier)) return "healer";
  if (dynamic_cast<const ShamanModifier*>(modifier)) return "summon";
  return "other";
}

TEST_P(EnemyAbilityTest, UnitSpawnsWithItsAbilitiesRunOncePerCooldown) {
  KpEnemy& unit = Spawn(GetParam().unitId);
  const float cooldown = unit.getTierProto()->cooldown;
  ASSERT_EQ(unit.modifiers.size(), GetParam().abilities.size());
  for (std::size_t n = 0; n < unit.modifiers.size(); ++n) {
    const KpModifier& ability = *unit.modifiers[n];
    EXPECT_EQ(AbilityName(&ability), GetParam().abilities[n]);
    EXPECT_TRUE(ability.ability);
    EXPECT_EQ(ability.duration, KpModifier::kUnlimited);
    EXPECT_EQ(ability.source, nullptr);
    if (AbilityName(&ability) == "summon") {
      EXPECT_GE(ability.period, cooldown);
      EXPECT_LE(ability.period, 2.0f * cooldown);
    } else {
      EXPECT_EQ(ability.period, cooldown);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Units, EnemyAbilityTest,
    ::testing::Values(AbilityCase{"Plain", kGloamling, {}},
                      AbilityCase{"HastesAndHidesOthers", 8, {"haste", "invisibleArea"}},
                      AbilityCase{"HidesItself", 5, {"invisible"}}, AbilityCase{"Regenerates", 4, {"regen"}},
                      AbilityCase{"Heals", 6, {"healer"}}, AbilityCase{"Summons", 12, {"summon"}}),
    testing_support::RowName());

struct PickupCase {
  const char* name;
  float x;
  float y;
  int state;
  bool found;
};

class PickupTest : public ::testing::TestWithParam<PickupCase> {};

TEST_P(PickupTest, OnlyReadyPickupsWithinReachAreFound) {
  std::vector<KpSprite*> pickups;
  pickups.push_back(new KpSprite);
  pickups.back()->x = 100.0f;
  pickups.back()->y = 100.0f;
  pickups.back()->state = GetParam().state;
  EXPECT_EQ(HasPickupAt(pickups, GetParam().x, GetParam().y), GetParam().found);
  EXPECT_EQ(FindPickupAt(pickups, GetParam().x, GetParam().y), GetParam().found ? pickups.front() : nullptr);
  pickups.front()->alive = false;
  UpdatePickups(pickups, kStep);
  EXPECT_TRUE(pickups.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Reach, PickupTest,
    ::testing::Values(PickupCase{"OnIt", 100.0f, 100.0f, KpSprite::kPickupReady, true},
                      PickupCase{"JustWithinReach", 134.0f, 100.0f, KpSprite::kPickupReady, true},
                      PickupCase{"JustOutOfReach", 100.0f, 135.0f, KpSprite::kPickupReady, false},
                      PickupCase{"Collected", 100.0f, 100.0f, KpSprite::kPickupCollected, false}),
    testing_support::RowName());

}  // namespace
