// Towers on a small level of the running game: their choice of target,
// turning and firing, what blocking and weakening units do to them, gold
// income, level-ups, and the build, upgrade and sell commands.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/MathRandom.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/ParticleEmitter.h"
#include "Game/Game.h"
#include "Game/KpBullet.h"
#include "Game/KpBulletList.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpParticle.h"
#include "Game/KpPopupList.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"
#include "Game/KpWaveProto.h"
#include "Game/KpWaves.h"
#include "Platform/Browser.h"
#include "tests/Framework/TestGameFixture.h"
#include "tests/Game/ProtoFixtures.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/GraphicsDriver.h"

namespace {

using framework_test::TestGame;

constexpr const char* kProfilePath = "Orvane/Lanternfall2/profiles.xml";

// A profile that has bought nothing, so that prices are the sheets' own.
std::string PlainProfile() {
  return "<Profiles currentProfile=\"p\"><Profile name=\"p\" version=\"4\"><tutorial avail=\"0\"/>"
         "<upgrades/><gems amount=\"0\"/><mode v=\"0\"/><towers/><levels/></Profile></Profiles>";
}

// Towers of the test's own, without sprites, so that every animation is
// over in one frame: a plain gun (90000) with a tier (90001) and a level-up
// prototype (90100), an air gun, a slow lobber, a beam tower, a gold tower,
// a booster and one whose data is hostile.
constexpr const char* kTowers =
    "id;parent;type;levelid;require;cost;r;strength;cooldown;speed;ammoid;air;teleportEnemy;boostTower;goldIncome;"
    "tierUpdates;tierK;tierCost;fps\n"
    "90000;-1;1;0;0;100;300;10;1;300;2001;0;0;0;0;0;0;0;20\n"
    "90001;90000;1;1;0;60;320;14;0.8;300;2001;0;0;0;0;0;0;0;20\n"
    "90100;-1;1;0;0;50;200;10;1;300;2001;0;0;0;0;2;0.5;30;20\n"
    "90200;-1;1;0;0;70;300;10;1;300;2001;1;0;0;0;0;0;0;20\n"
    "90300;-1;1;0;0;70;300;10;2;300;2001;0;0;0;0;0;0;0;20\n"
    "90400;-1;1;0;0;170;300;60;4.5;-1;2005;0;1;0;0;0;0;0;15\n"
    "90500;-1;1;0;0;150;360;-1;10;0;0;0;0;0;8;0;0;0;10\n"
    "90600;-1;1;0;0;160;360;-1;1;25;0;0;0;1;0;0;0;0;10\n"
    "90700;-1;1;0;0;10;300;10;-3;0;2003;0;0;0;0;0;0;0;0\n";
// Ground, flying, blocking, weakening and fire-only units.
constexpr const char* kUnits =
    "id;health;speed;r;air;blocktower;debufftower;fire_dmg_only\n"
    "91000;100;30;50;0;0;0;0\n"
    "91001;100;30;50;1;0;0;0\n"
    "91002;100;30;400;0;1;0;0\n"
    "91003;100;30;400;0;0;1;0\n"
    "91004;100;30;50;0;0;0;1\n";

constexpr int kGun = 90000;
constexpr int kGunTier = 1;
constexpr int kLevelUpGun = 90100;
constexpr int kAirGun = 90200;
constexpr int kSlowGun = 90300;
constexpr int kBeamTower = 90400;
constexpr int kGoldTower = 90500;
constexpr int kBooster = 90600;
constexpr int kHostileTower = 90700;
constexpr int kGround = 91000;
constexpr int kFlying = 91001;
constexpr int kBlocker = 91002;
constexpr int kWeakener = 91003;
constexpr int kFireOnly = 91004;

constexpr float kStep = 1.0f / 60.0f;

// Two build spots far apart; the second has a gold income factor of 1.5 and
// the third a tower of its own from the start.
std::string SmallLevel() {
  return "<map><budget>1000</budget><li>kp/data/maps/e1_l1/background.png</li>"
         "<points><p id=\"1\" x=\"0\" y=\"100\"><p name=\"spawn\" value=\"1\"/></p>"
         "<p id=\"2\" x=\"900\" y=\"100\"><p name=\"goal\" value=\"1\"/></p></points>"
         "<links><l sid=\"1\" eid=\"2\"/></links><spots>"
         "<spot x=\"200\" y=\"400\"><p name=\"radius_mult\" value=\"1\"/></spot>"
         "<spot x=\"700\" y=\"400\"><p name=\"income_mult\" value=\"1.5\"/></spot>"
         "<spot x=\"900\" y=\"700\"><p name=\"tower_id\" value=\"90000\"/></spot>"
         "</spots><waves/></map>";
}

class TowerTest : public framework_test::TestGameFixture {
 protected:
  void SetUp() override {
    TestGameFixture::SetUp();
    platform::OverrideUrlOpener([](const std::string&) {});
    userFolder_.WriteFile(kProfilePath, PlainProfile());
    TestGame::NextHooks().create = [] { return new Game; };
    auto& game = static_cast<Game&>(*app::Application::Instance());
    game.SetArguments({u"--data_path", base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8)});
    ASSERT_EQ(game.PlatformInit(), QL_OK);
    ASSERT_EQ(game.Init(), QL_OK);
    testing_support::KeepGraphicsDriverLoaded();
    game_ = &game;
    map_ = game.getMap();
    ASSERT_NE(map_, nullptr);
    proto_fixtures::LoadLibrary(*map_->protos, kUnits, kTowers);
    levelFolder_.WriteFile("level.xml", SmallLevel());
    map_->parseLevel(base::ToWide((levelFolder_.Path() / "level.xml").string(), base::kEncodingUtf8));
    ASSERT_TRUE(map_->levelLoadError.empty());
    map_->wallet->money = 1000;
    math::Random(1);
  }

  void TearDown() override {
    map_ = nullptr;
    game_ = nullptr;
    TestGameFixture::TearDown();
    platform::OverrideUrlOpener({});
  }

  KpFrameEntry* spot(int index) { return map_->mapImages->spotFrames().at(static_cast<std::size_t>(index)); }

  KpTower* build(int protoId, int spotIndex) {
    const KpProto* proto = map_->protos->find(protoId);
    EXPECT_NE(proto, nullptr) << protoId;
    return proto ? map_->buildTower(*proto, spot(spotIndex)) : nullptr;
  }

  // A unit of the test's prototypes standing at the point, in the map's list.
  KpEnemy* addUnit(int unitId, float x, float y, float health = 100.0f) {
    entries_.push_back(std::make_unique<KpWaveEntry>(nullptr));
    entries_.back()->unitId = unitId;
    KpEnemy* unit = map_->waves->addEnemy(entries_.back().get(), map_->findSpawnPoint());
    unit->x = unit->shownX = x;
    unit->y = unit->shownY = y;
    unit->health = health;
    unit->state = KpEnemy::kWalking;
    return unit;
  }

  // One frame of the towers as the map runs them: bonuses cleared, then
  // each tower updated in list order.
  void stepTowers(float dt = kStep) {
    for (KpTower* tower : map_->towers) {
      tower->bonus->clearBoostValues();
      tower->boosted = false;
    }
    for (std::size_t i = 0; i < map_->towers.size(); ++i) map_->towers[i]->update(dt);
  }

  // Steps until the predicate holds; false when it never does in time.
  template <class Predicate>
  bool stepTowersUntil(Predicate done, float maxSeconds) {
    for (float t = 0.0f; t < maxSeconds; t += kStep) {
      stepTowers();
      if (done()) return true;
    }
    return false;
  }

  Game* game_ = nullptr;
  KpMap* map_ = nullptr;
  testing_support::TempFolder levelFolder_;
  // The units' wave entries; the test keeps them, as a wave would.
  std::vector<std::unique_ptr<KpWaveEntry>> entries_;
};

TEST_F(TowerTest, BuildPaysTheUpgradedPriceAndStandsOnTheSpotCentre) {
  map_->wallet->money = 99;
  EXPECT_EQ(build(kGun, 0), nullptr) << "short of money";
  EXPECT_EQ(map_->wallet->money, 99);
  EXPECT_TRUE(spot(0)->visible);

  map_->wallet->money = 150;
  KpTower* tower = build(kGun, 0);
  ASSERT_NE(tower, nullptr);
  EXPECT_EQ(map_->wallet->money, 50);
  EXPECT_FALSE(spot(0)->visible);
  EXPECT_FLOAT_EQ(tower->x, spot(0)->x + spot(0)->width * 0.5f);
  EXPECT_FLOAT_EQ(tower->y, spot(0)->y + spot(0)->height * 0.5f);
  EXPECT_EQ(tower->state, KpTower::kPausing);
  EXPECT_EQ(tower->fade, 0.0f);
  EXPECT_EQ(tower->target, nullptr);
  EXPECT_EQ(tower->beam, nullptr);
  EXPECT_EQ(std::count(map_->towers.begin(), map_->towers.end(), tower), 1);
}

TEST_F(TowerTest, TheLevelsOwnTowerStandsOnItsSpotForFree) {
  ASSERT_EQ(map_->towers.size(), 1u);
  EXPECT_EQ(map_->towers.front()->prototype->id, kGun);
  EXPECT_FALSE(spot(2)->visible);
  EXPECT_EQ(map_->wallet->money, 1000);
}

TEST_F(TowerTest, UpgradeShowsTheChangesAndSellRefundsHalfOfTierAndBase) {
  KpTower* tower = build(kGun, 0);
  ASSERT_NE(tower, nullptr);
  map_->wallet->money = 59;
  tower->upgradeTo(kGunTier, 60);
  EXPECT_EQ(tower->tier, 0) << "short of money";

  map_->wallet->money = 100;
  const std::size_t popupsBefore = map_->popups->popups().size();
  tower->upgradeTo(kGunTier, 60);
  EXPECT_EQ(tower->tier, kGunTier);
  EXPECT_EQ(map_->wallet->money, 40);
  ASSERT_EQ(map_->popups->popups().size(), popupsBefore + 1);
  const std::string info = base::ToNarrow(map_->popups->popups().back()->text, base::kEncodingUtf8);
  EXPECT_NE(info.find("Range +6%"), std::string::npos) << info;
  EXPECT_NE(info.find("Damage +40%"), std::string::npos) << info;
  EXPECT_NE(info.find("Rate of fire +25%"), std::string::npos) << info;

  tower->upgradeTo(7, 0);
  EXPECT_EQ(tower->tier, kGunTier) << "no tier of that id";

  map_->sellTower(tower);
  EXPECT_EQ(map_->wallet->money, 40 + 80);
  EXPECT_TRUE(spot(0)->visible);
  EXPECT_EQ(std::count(map_->towers.begin(), map_->towers.end(), tower), 0);
}

struct TargetCase {
  const char* name;
  int towerId;
  // Unit ids, health and distance from the tower along x.
  struct Unit {
    int id;
    float health;
    float distance;
    bool invisible = false;
    bool dying = false;
  };
  std::vector<Unit> units;
  int selected;  // index of the player's selected unit, -1 none
  int expected;  // index of the chosen unit, -1 none
};

class TowerTargetTest : public TowerTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(TowerTargetTest, ChoosesItsTarget) {
  const TargetCase& c = GetParam();
  KpTower* tower = build(c.towerId, 0);
  ASSERT_NE(tower, nullptr);
  std::vector<KpEnemy*> units;
  for (const TargetCase::Unit& u : c.units) {
    KpEnemy* unit = addUnit(u.id, tower->x + u.distance, tower->y, u.health);
    if (u.invisible) unit->invisibleTime = 1.0f;
    if (u.dying) unit->state = KpEnemy::kDying;
    units.push_back(unit);
  }
  if (c.selected >= 0) map_->selectedUnit = units[static_cast<std::size_t>(c.selected)];
  std::vector<KpEnemy*> inRange;
  tower->enemiesInRange(inRange, 0.0f);
  EXPECT_EQ(tower->chooseTarget(inRange, nullptr, true),
            c.expected < 0 ? nullptr : units[static_cast<std::size_t>(c.expected)]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TowerTargetTest,
    ::testing::Values(
        TargetCase{"SelectedUnitFirst", kGun, {{kGround, 10, 50}, {kGround, 90, 60}}, 1, 1},
        TargetCase{"SelectedUnitOutOfRangeIsNotChosen", kGun, {{kGround, 10, 50}, {kGround, 90, 200}}, 1, 0},
        TargetCase{"LowestHealthFirst", kGun, {{kGround, 50, 20}, {kGround, 30, 100}}, -1, 1},
        TargetCase{"NearestOfTheLowest", kGun, {{kGround, 30, 100}, {kGround, 30, 40}, {kGround, 80, 10}}, -1, 1},
        TargetCase{"AirPreferredByAnAirGun", kAirGun, {{kGround, 10, 50}, {kFlying, 90, 60}}, -1, 1},
        TargetCase{"AirUnseenByAGroundGun", kGun, {{kFlying, 10, 50}, {kGround, 90, 60}}, -1, 1},
        TargetCase{"InvisibleNever", kGun, {{kGround, 10, 50, true}, {kGround, 90, 60}}, -1, 1},
        TargetCase{"InvisibleAloneIsNoTarget", kGun, {{kGround, 10, 50, true}}, -1, -1},
        TargetCase{"DyingNever", kGun, {{kGround, 10, 50, false, true}, {kGround, 90, 60}}, -1, 1},
        TargetCase{"RangeIsStrict", kGun, {{kGround, 10, 150}}, -1, -1}),
    testing_support::RowName());

// Units within range + 100 keep the tower aiming at the nearest of them.
TEST_F(TowerTest, AUnitJustOutOfRangeIsTrackedAsTheNearest) {
  KpTower* tower = build(kGun, 0);
  ASSERT_NE(tower, nullptr);
  KpEnemy* far = addUnit(kGround, tower->x + 240.0f, tower->y, 10.0f);
  KpEnemy* near = addUnit(kGround, tower->x + 180.0f, tower->y, 90.0f);
  stepTowers();
  EXPECT_EQ(tower->target, near);
  EXPECT_EQ(tower->state, KpTower::kTracking);
  (void)far;
}

struct CooldownCase {
  const char* name;
  bool weakened;
  float expected;
};

class TowerCooldownTest : public TowerTest, public ::testing::WithParamInterface<CooldownCase> {};

// The tower leaves its first pause, turns to the unit and fires: one shot,
// then the cooldown, 1.5 times longer while a weakening unit is near.
TEST_P(TowerCooldownTest, FiresOnceThenCoolsDown) {
  KpTower* tower = build(kSlowGun, 0);
  ASSERT_NE(tower, nullptr);
  addUnit(kGround, tower->x, tower->y - 100.0f);
  if (GetParam().weakened) addUnit(kWeakener, tower->x + 130.0f, tower->y + 200.0f);
  const std::size_t shotsBefore = map_->bullets->bullets().size();
  ASSERT_TRUE(stepTowersUntil([&] { return map_->bullets->bullets().size() > shotsBefore; }, 3.0f));
  EXPECT_EQ(tower->debuffed, GetParam().weakened);
  EXPECT_NEAR(tower->cooldown, GetParam().expected, 1e-4f);
  EXPECT_EQ(map_->bullets->bullets().size(), shotsBefore + 1);
  EXPECT_TRUE(stepTowersUntil([&] { return map_->bullets->bullets().size() > shotsBefore + 1; }, 4.0f));
}

INSTANTIATE_TEST_SUITE_P(Cases, TowerCooldownTest,
                         ::testing::Values(CooldownCase{"Plain", false, 2.0f}, CooldownCase{"Weakened", true, 3.0f}),
                         testing_support::RowName());

TEST_F(TowerTest, ABlockedTowerIsFrozenUntilTheBlockerGoes) {
  KpTower* tower = build(kSlowGun, 0);
  ASSERT_NE(tower, nullptr);
  KpEnemy* target = addUnit(kGround, tower->x, tower->y - 100.0f);
  ASSERT_TRUE(stepTowersUntil([&] { return tower->cooldown > 0.0f; }, 3.0f));
  KpEnemy* blocker = addUnit(kBlocker, tower->x + 100.0f, tower->y + 100.0f);
  stepTowers();
  ASSERT_TRUE(tower->disabled);
  ASSERT_NE(tower->disabledSprite, nullptr);
  EXPECT_EQ(std::count(map_->effectSprites.begin(), map_->effectSprites.end(), tower->disabledSprite), 1);
  const float cooldown = tower->cooldown;
  const float angle = tower->angle;
  const int state = tower->state;
  for (int i = 0; i < 120; ++i) stepTowers();
  EXPECT_EQ(tower->cooldown, cooldown);
  EXPECT_EQ(tower->angle, angle);
  EXPECT_EQ(tower->state, state);
  EXPECT_EQ(tower->target, target) << "the target is kept";

  blocker->state = KpEnemy::kDying;
  blocker->speedReduction = 0.0f;
  blocker->x = blocker->shownX = tower->x + 5000.0f;
  const std::size_t spritesBefore = map_->effectSprites.size();
  stepTowers();
  EXPECT_FALSE(tower->disabled);
  EXPECT_EQ(tower->disabledSprite, nullptr);
  EXPECT_EQ(map_->effectSprites.size(), spritesBefore - 1);
  EXPECT_LT(tower->cooldown, cooldown);
}

// With nobody within range + 100 the tower turns to a random angle at 360
// degrees a second, then pauses three seconds counted twice as fast.
TEST_F(TowerTest, AnIdleTowerLooksAroundAndPauses) {
  KpTower* tower = build(kGun, 0);
  ASSERT_NE(tower, nullptr);
  tower->state = KpTower::kIdle;
  stepTowers();
  ASSERT_EQ(tower->state, KpTower::kLookingAround);
  const float goal = tower->targetAngle;
  EXPECT_GE(goal, 0.0f);
  EXPECT_LE(goal, 360.0f);
  ASSERT_TRUE(stepTowersUntil([&] { return tower->state == KpTower::kPausing; }, 1.0f));
  EXPECT_EQ(static_cast<int>(tower->angle / 11.25f + 0.5f), static_cast<int>(goal / 11.25f + 0.5f));
  EXPECT_FLOAT_EQ(tower->pauseTimer, KpTower::kLookAroundPause);
  int frames = 0;
  while (tower->state == KpTower::kPausing && frames < 1000) {
    stepTowers();
    ++frames;
  }
  EXPECT_NEAR(frames * kStep, 1.5f, 2 * kStep);
}

TEST_F(TowerTest, ASupportTowerNeverAims) {
  KpTower* tower = build(kGoldTower, 0);
  ASSERT_NE(tower, nullptr);
  addUnit(kGround, tower->x + 20.0f, tower->y);
  for (int i = 0; i < 60; ++i) {
    stepTowers();
    EXPECT_EQ(tower->target, nullptr);
  }
}

struct IncomeCase {
  const char* name;
  int spotIndex;
  int expected;
};

class TowerIncomeTest : public TowerTest, public ::testing::WithParamInterface<IncomeCase> {};

TEST_P(TowerIncomeTest, PaysItsIncomeTimesTheSpotsFactor) {
  KpTower* tower = build(kGoldTower, GetParam().spotIndex);
  ASSERT_NE(tower, nullptr);
  const int money = map_->wallet->money;
  tower->payIncome();
  EXPECT_EQ(map_->wallet->money, money + GetParam().expected);
  EXPECT_EQ(tower->state, KpTower::kFiring) << "the payout plays the blast";
  ASSERT_FALSE(map_->popups->popups().empty());
  EXPECT_EQ(base::ToNarrow(map_->popups->popups().back()->text, base::kEncodingUtf8),
            "+" + std::to_string(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, TowerIncomeTest,
                         ::testing::Values(IncomeCase{"NoFactorPaysNothing", 0, 0},
                                           IncomeCase{"FactorOneAndAHalf", 1, 12}),
                         testing_support::RowName());

// Level-ups are paid from the level's money and their bonus outlives the
// map's clearing of the bonus prototype every frame.
TEST_F(TowerTest, LevelUpsArePaidAndKept) {
  KpTower* tower = build(kLevelUpGun, 0);
  ASSERT_NE(tower, nullptr);
  map_->wallet->money = 29;
  tower->levelUp();
  EXPECT_EQ(tower->level, 0) << "short of money";
  EXPECT_EQ(map_->wallet->money, 29);

  map_->wallet->money = 100;
  tower->levelUp();
  EXPECT_EQ(tower->level, 1);
  EXPECT_EQ(map_->wallet->money, 70);
  stepTowers();
  stepTowers();
  EXPECT_FLOAT_EQ(tower->bonus->range, 100.0f);
  EXPECT_FLOAT_EQ(tower->bonus->strength, 5.0f);
  EXPECT_FLOAT_EQ(tower->range(), 150.0f);

  tower->levelUp();
  EXPECT_EQ(tower->level, 2);
  tower->levelUp();
  EXPECT_EQ(tower->level, 2) << "every level-up the prototype allows is bought";
  EXPECT_EQ(map_->wallet->money, 40);
  stepTowers();
  EXPECT_FLOAT_EQ(tower->bonus->range, 200.0f);
  EXPECT_FLOAT_EQ(tower->bonus->strength, 10.0f);
}

TEST_F(TowerTest, BoostTowersAreUpdatedFirst) {
  map_->sellTower(map_->towers.front());
  KpTower* first = build(kGun, 0);
  KpTower* second = build(kAirGun, 2);
  KpTower* booster = build(kBooster, 1);
  ASSERT_NE(booster, nullptr);
  EXPECT_EQ(map_->towers, (std::vector<KpTower*>{booster, first, second}));
}

// The beam belongs to the map's particle list; the tower never keeps one
// that has ended or gone.
TEST_F(TowerTest, ABeamTowerHoldsItsTargetAndLetsGoOfItsBeam) {
  KpTower* tower = build(kBeamTower, 0);
  ASSERT_NE(tower, nullptr);
  KpEnemy* unit = addUnit(kGround, tower->x + 50.0f, tower->y);
  tower->target = unit;
  tower->fire();
  ASSERT_NE(tower->beam, nullptr);
  EXPECT_EQ(std::count(map_->particles.begin(), map_->particles.end(), tower->beam), 1);
  EXPECT_EQ(unit->state, KpEnemy::kHeldInBeam);

  KpParticle* beam = tower->beam;
  tower->clearTarget();
  EXPECT_EQ(tower->beam, nullptr);
  EXPECT_EQ(tower->state, KpTower::kIdle);
  EXPECT_FALSE(beam->isRunning());

  unit->state = KpEnemy::kWalking;
  tower->target = unit;
  tower->fire();
  ASSERT_NE(tower->beam, nullptr);
  beam = tower->beam;
  ASSERT_FALSE(beam->emitters.empty());
  beam->emitters.front()->SetState(render::ParticleEmitter::kFinishing);
  map_->update(kStep);
  EXPECT_EQ(std::count(map_->particles.begin(), map_->particles.end(), beam), 0) << "ended on its own";
  EXPECT_EQ(tower->beam, nullptr);
}

// Selling a beam tower frees the unit it holds; a unit immune to the beam is
// never held.
TEST_F(TowerTest, ABeamTowerSoldLetsGoOfItsUnit) {
  KpTower* tower = build(kBeamTower, 0);
  ASSERT_NE(tower, nullptr);
  KpEnemy* unit = addUnit(kGround, tower->x + 50.0f, tower->y);
  tower->target = unit;
  tower->fire();
  ASSERT_EQ(unit->state, KpEnemy::kHeldInBeam);
  ASSERT_EQ(unit->modifiers.size(), 1u);

  map_->sellTower(tower);
  EXPECT_EQ(unit->state, KpEnemy::kWalking);
  EXPECT_TRUE(unit->modifiers.empty()) << "the teleport went with the tower";

  KpTower* second = build(kBeamTower, 0);
  ASSERT_NE(second, nullptr);
  KpEnemy* immune = addUnit(kFireOnly, second->x + 50.0f, second->y);
  second->target = immune;
  second->fire();
  EXPECT_TRUE(immune->modifiers.empty());
  EXPECT_EQ(immune->state, KpEnemy::kWalking) << "a unit the beam cannot teleport is not held";
}

// A turning tower shows the frame of its direction; the entry joins the
// ground list, sorted by where the tower stands.
TEST_F(TowerTest, DrawQueuesTheDirectionFrameOnTheGround) {
  constexpr int kCampaignDart = 10000;
  KpTower* tower = build(kCampaignDart, 0);
  ASSERT_NE(tower, nullptr);
  tower->fade = 0.5f;
  render::Graphics graphics(*game_->GetRender());
  auto& ground = map_->drawQueues[1];
  for (const auto& [angle, direction] : {std::pair{0.0f, 31}, std::pair{90.0f, 23}, std::pair{359.0f, 0}}) {
    tower->angle = angle;
    const std::size_t before = ground.size();
    tower->draw(graphics);
    ASSERT_EQ(ground.size(), before + 1) << angle;
    EXPECT_EQ(tower->directionIndex, direction) << angle;
    EXPECT_NE(ground.back()->image, nullptr);
    EXPECT_EQ(ground.back()->bottom, tower->drawY);
    EXPECT_EQ(ground.back()->colour[3], 0.5f);
  }
}

// Hostile numbers neither stop nor break the update: a lobber whose shells
// have no speed (the projectile list refuses them), no frames per second and
// a negative cooldown keeps cycling instead of waiting for a shell forever.
TEST_F(TowerTest, HostileDataKeepsTheTowerCycling) {
  KpTower* tower = build(kHostileTower, 0);
  ASSERT_NE(tower, nullptr);
  addUnit(kGround, tower->x, tower->y - 60.0f);
  for (int i = 0; i < 240; ++i) {
    stepTowers();
    ASSERT_NE(tower->state, KpTower::kWaitingForShell) << "frame " << i;
    ASSERT_GE(tower->cooldown, 0.0f);
    ASSERT_GE(tower->angle, 0.0f);
    ASSERT_LE(tower->angle, 360.0f);
  }
  EXPECT_NE(tower->target, nullptr);
  EXPECT_TRUE(map_->bullets->bullets().empty());
}

TEST_F(TowerTest, ATowerWhosePrototypeIsGoneDoesNothing) {
  KpTower* tower = build(kGun, 0);
  ASSERT_NE(tower, nullptr);
  KpProto orphan;
  orphan.id = 99999;
  tower->prototype = &orphan;
  tower->state = KpTower::kIdle;
  stepTowers();
  EXPECT_EQ(tower->state, KpTower::kIdle);
  EXPECT_EQ(tower->getTierProto(), nullptr);
  tower->prototype = map_->protos->find(kGun);
}

}  // namespace
