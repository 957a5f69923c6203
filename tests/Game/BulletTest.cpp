// Projectiles, spells and hits in the running game: a campaign level is
// loaded, the test places towers and units where it wants them, and only the
// projectile list moves, in fixed steps.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/RenderTarget.h"
#include "Game/AreaModifiers.h"
#include "Game/Game.h"
#include "Game/KpBullet.h"
#include "Game/KpBulletList.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpPopupList.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpTower.h"
#include "Game/KpWaveProto.h"
#include "Game/KpWaves.h"
#include "Game/TowersBoost.h"
#include "Game/UnitModifiers.h"
#include "Platform/GraphicsDevice.h"
#include "Game/PlayerProfile.h"
#include "tests/Game/ProtoFixtures.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/LevelRun.h"
#include "tests/Support/WorldScenario.h"

namespace {

// The spells' strength upgrade, bought to its first step: +20 %.
constexpr int kSpellStrengthUpgrade = 25;

// Towers of the test's own, beside the campaign's. Ranges are half of r.
// The campaign's ammunition: 2001 to 2003 are fire (2003 the lobbed shell),
// 2002 bursts over r 90, 2004 over r 160.
constexpr const char* kTowers =
    "id;parent;type;levelid;cost;r;strength;cooldown;speed;ammoid;aimed;splash;firesplash;dot;stun;hold;"
    "teleportEnemy\n"
    "91000;-1;1;0;10;1000;20;1;80;2002;0;0;0;0;0;0;0\n"   // straight
    "91001;-1;1;0;10;1000;20;1;80;2001;1;0;0;0;0;0;0\n"   // homing
    "91002;-1;1;0;10;1000;20;1;120;2003;1;0;0;0;0;0;0\n"   // lobbed
    "91003;-1;1;0;10;1000;20;1;-1;2004;0;0;0;0;0;0;0\n"    // instant
    "91004;-1;1;0;10;1000;20;1;80;2002;0;1;0;0;0;0;0\n"   // splash
    "91005;-1;1;0;10;1000;20;1;80;2001;1;0;0;1;1;0;0\n"   // poison and stun
    "91006;-1;1;0;10;1000;20;1;80;2001;1;0;0;1;0;0;0\n"   // poison
    "91007;-1;1;0;10;1000;20;1;80;2004;1;0;0;0;1;0;0\n"   // stun
    "91008;-1;1;0;10;1000;20;1;80;2004;1;0;0;0;0;1;0\n"   // hold
    "91009;-1;1;0;10;1000;20;1;-1;2005;0;0;0;0;0;0;1\n"    // beam that teleports
    "91010;-1;1;0;10;1000;20;1;80;2002;0;0;1;0;0;0;0\n"   // fire on the ground
    "91011;-1;1;0;10;1000;20;1;80;2999;1;0;0;0;0;0;0\n"   // ammunition the data lacks
    "91012;-1;1;0;10;1000;20;1;80;2004;1;0;0;0;0;0;0\n"   // not fire ammunition
    "91013;-1;1;0;10;1000;20;1;0;2001;1;0;0;0;0;0;0\n";   // shots that cannot move

enum TestTower {
  kStraight = 91000,
  kHoming,
  kLobbedShell,
  kInstant,
  kSplash,
  kPoisonAndStun,
  kPoison,
  kStun,
  kHold,
  kTeleportBeam,
  kFireSplash,
  kMissingAmmo,
  kNotFire,
  kStandingShots,
};

// Campaign units.
constexpr int kPlainUnit = 1;
constexpr int kPoisonImmune = 2;
constexpr int kStoneUnit = 4;
constexpr int kIceUnit = 6;
constexpr int kFireDamageOnly = 10;

// A power of two: the flights' figures come out exact.
constexpr float kStep = 0.125f;

// The effects of that class in the list.
template <class T>
int CountOf(const std::vector<KpModifier*>& effects) {
  return static_cast<int>(std::count_if(effects.begin(), effects.end(),
                                        [](const KpModifier* each) { return dynamic_cast<const T*>(each); }));
}

class BulletTest : public testing_support::WorldScenario {
 protected:
  void SetUp() override {
    WorldScenario::SetUp();
    if (HasFatalFailure()) return;
    // Episode 2, level 2: every spell is open there.
    ASSERT_TRUE(level().loadCampaignLevel(1, 1, 1, 7));
    map_ = &level().map();
    map_->profile->setUpgradeLevel(kSpellStrengthUpgrade, 0);
    proto_fixtures::LoadLibrary(*map_->protos, "", kTowers);
    proto_fixtures::RecordLog(log_);
  }

  void TearDown() override {
    if (map_) map_->bullets->clear();
    towers_.clear();
    WorldScenario::TearDown();
  }

  KpTower& Tower(int protoId, float x, float y) {
    auto tower = std::make_unique<KpTower>();
    tower->init(map_->protos->find(protoId));
    tower->x = tower->drawX = x;
    tower->y = tower->drawY = y;
    towers_.push_back(std::move(tower));
    return *towers_.back();
  }

  KpEnemy& Unit(int unitId, float x, float y) {
    wave_.entries.push_back(new KpWaveEntry(&wave_));
    KpWaveEntry& entry = *wave_.entries.back();
    entry.unitId = unitId;
    KpEnemy* unit = map_->spawnUnit(&entry, map_->findSpawnPoint());
    EXPECT_NE(unit, nullptr);
    unit->health = 1000.0f;
    MoveUnit(*unit, x, y);
    return *unit;
  }

  static void MoveUnit(KpEnemy& unit, float x, float y) {
    unit.x = unit.shownX = x;
    unit.y = unit.shownY = y;
  }

  KpBullet& Fire(KpTower& tower, KpEnemy& target) {
    auto* bullet = new KpBullet(&tower, &target);
    map_->bullets->add(bullet);
    return *bullet;
  }

  void Step(int times = 1, float dt = kStep) {
    for (int i = 0; i < times; ++i) map_->bullets->update(dt);
  }

  bool Flying() const { return !map_->bullets->bullets().empty(); }

  // Steps until every projectile is gone, at most for the given time.
  void StepUntilLanded(float seconds = 10.0f) {
    for (float t = 0.0f; Flying() && t < seconds; t += kStep) Step();
    EXPECT_FALSE(Flying());
  }

  template <class T>
  int AreaEffectsOf() const {
    return CountOf<T>(map_->areaEffects);
  }

  template <class T>
  static int ModifiersOf(const KpEnemy& unit) {
    return CountOf<T>(unit.modifiers);
  }

  static float Lost(const KpEnemy& unit) { return 1000.0f - unit.health; }

  KpMap* map_ = nullptr;
  std::vector<std::unique_ptr<KpTower>> towers_;
  KpWaveProto wave_;
  std::vector<base::WString> log_;
};

TEST_F(BulletTest, AStraightShotBurstsAtItsAimPointOverTheAmmunitionsRadiusByDistance) {
  KpTower& tower = Tower(kStraight, 100.0f, 300.0f);
  KpEnemy& target = Unit(kPlainUnit, 300.0f, 300.0f);
  KpEnemy& near = Unit(kPlainUnit, 345.0f, 300.0f);
  KpEnemy& outside = Unit(kPlainUnit, 300.0f, 395.0f);
  Fire(tower, target);
  // 10 a step: at 290 the shot is still 10 away from its aim point.
  Step(19);
  ASSERT_TRUE(Flying());
  EXPECT_EQ(Lost(target), 0.0f);
  Step();
  EXPECT_FALSE(Flying());
  EXPECT_FLOAT_EQ(Lost(target), 20.0f);
  EXPECT_FLOAT_EQ(Lost(near), 10.0f) << "half the way to the ammunition's r 90";
  EXPECT_EQ(Lost(outside), 0.0f);
}

TEST_F(BulletTest, AStraightShotThatLeavesItsTowersRangeIsLostWithoutAHit) {
  KpTower& tower = Tower(kStraight, 100.0f, 300.0f);
  KpEnemy& target = Unit(kPlainUnit, 900.0f, 300.0f);
  Fire(tower, target);
  MoveUnit(target, 120.0f, 300.0f);
  // Range 500: the shot goes at 610.
  Step(50);
  EXPECT_TRUE(Flying());
  Step();
  EXPECT_FALSE(Flying());
  EXPECT_EQ(Lost(target), 0.0f);
  EXPECT_EQ(AreaEffectsOf<BlastModifier>(), 0);
}

TEST_F(BulletTest, AHomingShotFollowsItsTargetAndHitsItDirectly) {
  KpTower& tower = Tower(kHoming, 100.0f, 300.0f);
  KpEnemy& target = Unit(kPlainUnit, 300.0f, 300.0f);
  Fire(tower, target);
  for (int i = 0; i < 100 && Flying(); ++i) {
    MoveUnit(target, target.x, target.y + 3.0f);
    Step();
  }
  EXPECT_FALSE(Flying());
  EXPECT_FLOAT_EQ(Lost(target), 20.0f);
  EXPECT_EQ(AreaEffectsOf<BlastModifier>(), 0);
}

struct LostTarget {
  const char* name;
  void (*loseTarget)(KpMap& map, KpEnemy& target);
};

TEST_F(BulletTest, AHomingShotWithoutItsTargetExplodesWhereItIs) {
  const LostTarget cases[] = {
      {"target removed", [](KpMap& map, KpEnemy& unit) { map.bullets->forgetEnemy(&unit); }},
      {"target out of range", [](KpMap&, KpEnemy& unit) { MoveUnit(unit, 700.0f, unit.y); }},
  };
  KpTower& tower = Tower(kHoming, 100.0f, 300.0f);
  for (const LostTarget& c : cases) {
    SCOPED_TRACE(c.name);
    KpEnemy& target = Unit(kPlainUnit, 300.0f, 300.0f);
    Fire(tower, target);
    Step(5);
    ASSERT_TRUE(Flying());
    const int blasts = AreaEffectsOf<BlastModifier>();
    c.loseTarget(*map_, target);
    Step();
    EXPECT_FALSE(Flying());
    EXPECT_EQ(AreaEffectsOf<BlastModifier>(), blasts + 1);
  }
}

TEST_F(BulletTest, ALobbedShellRisesFliesItsArcAndBurstsWhereItLandsThenFreesItsTower) {
  KpTower& tower = Tower(kLobbedShell, 100.0f, 300.0f);
  KpEnemy& target = Unit(kPlainUnit, 300.0f, 300.0f);
  KpBullet& shell = Fire(tower, target);
  tower.state = KpTower::kWaitingForShell;
  EXPECT_FLOAT_EQ(shell.y, 285.0f) << "raised from the tower";
  // It rises 15 a step until half a second has gone.
  Step(3);
  EXPECT_EQ(shell.phase, KpBullet::kRising);
  EXPECT_FLOAT_EQ(shell.y, 240.0f);
  MoveUnit(target, 310.0f, 300.0f);
  Step();
  ASSERT_EQ(shell.phase, KpBullet::kOnArc);
  EXPECT_FLOAT_EQ(shell.arc.start.y, 240.0f);
  EXPECT_FLOAT_EQ(shell.arc.end.x, 310.0f);
  Step(4);
  CurvePoint middle;
  QuadBezierPoint(middle, shell.arc, 0.5f);
  EXPECT_NEAR(shell.x, middle.x, 1e-3f);
  EXPECT_NEAR(shell.y, middle.y, 1e-3f);
  EXPECT_EQ(Lost(target), 0.0f);
  EXPECT_EQ(tower.state, KpTower::kWaitingForShell);
  // The unit walks on; the shell bursts where it lands, over r 130.
  MoveUnit(target, 340.0f, 300.0f);
  StepUntilLanded();
  EXPECT_NEAR(Lost(target), 20.0f * (130.0f - 30.0f) / 130.0f, 1e-3f);
  EXPECT_EQ(tower.state, KpTower::kIdle);
  EXPECT_EQ(tower.animationTime, 0.0f);
}

TEST_F(BulletTest, ALobbedShellWhoseTargetGoesBeforeTheArcIsDropped) {
  KpTower& tower = Tower(kLobbedShell, 100.0f, 300.0f);
  KpEnemy& target = Unit(kPlainUnit, 300.0f, 300.0f);
  Fire(tower, target);
  tower.state = KpTower::kWaitingForShell;
  map_->bullets->forgetEnemy(&target);
  Step();
  EXPECT_FALSE(Flying());
  EXPECT_EQ(tower.state, KpTower::kIdle);
  EXPECT_EQ(Lost(target), 0.0f);
}

TEST_F(BulletTest, AnInstantShotHitsInTheFrameOfTheShot) {
  KpTower& tower = Tower(kInstant, 100.0f, 300.0f);
  KpEnemy& target = Unit(kPlainUnit, 300.0f, 300.0f);
  Fire(tower, target);
  Step(1, 0.0f);
  EXPECT_FALSE(Flying());
  EXPECT_FLOAT_EQ(Lost(target), 20.0f);
}

TEST_F(BulletTest, ABeamTowersPassingShotHoldsItsTargetForTheTeleport) {
  KpTower& tower = Tower(kTeleportBeam, 100.0f, 300.0f);
  KpEnemy& target = Unit(kPlainUnit, 300.0f, 300.0f);
  {
    KpBullet passing(&tower, &target);
    target.takeHit(passing, true);
  }
  EXPECT_FLOAT_EQ(Lost(target), 20.0f);
  ASSERT_EQ(ModifiersOf<HoldAndTeleport>(target), 1);
}

TEST_F(BulletTest, ASplashHitsItsTargetFullyAndItsNeighboursByDistanceWithoutSplashingAgain) {
  KpTower& tower = Tower(kSplash, 100.0f, 300.0f);
  KpEnemy& target = Unit(kPlainUnit, 300.0f, 300.0f);
  KpEnemy& near = Unit(kPlainUnit, 300.0f, 345.0f);
  KpEnemy& edge = Unit(kPlainUnit, 255.0f, 300.0f);
  KpEnemy& beyond = Unit(kPlainUnit, 300.0f, 250.0f);
  KpBullet shot(&tower, &target);
  shot.x = target.x;
  shot.y = target.y;
  target.takeHit(shot, true);
  EXPECT_FLOAT_EQ(Lost(target), 20.0f);
  EXPECT_FLOAT_EQ(Lost(near), 10.0f);
  EXPECT_FLOAT_EQ(Lost(edge), 10.0f) << "at half the ammunition's r 90";
  EXPECT_EQ(Lost(beyond), 0.0f);
  EXPECT_EQ(AreaEffectsOf<AreaDamageModifier>(), 1) << "the neighbours did not splash";
}

struct HitEffect {
  const char* name;
  int tower;
  int poisons;
  int stuns;
  int holds;
  int teleports;
  float duration;
};

// A unit keeps one effect per tower: hits while it holds one add nothing.
TEST_F(BulletTest, AHitLeavesItsTowersEffectOnceOnTheUnit) {
  const HitEffect cases[] = {
      {"poison", kPoison, 1, 0, 0, 0, 2.0f},
      {"stun", kStun, 0, 1, 0, 0, 3.0f},
      {"hold", kHold, 0, 0, 1, 0, 3.0f},
      {"teleport", kTeleportBeam, 0, 0, 0, 1, 3.0f},
      {"poison and stun: only the poison", kPoisonAndStun, 1, 0, 0, 0, 2.0f},
  };
  float y = 100.0f;
  for (const HitEffect& c : cases) {
    SCOPED_TRACE(c.name);
    KpTower& tower = Tower(c.tower, 100.0f, y);
    KpEnemy& unit = Unit(kPlainUnit, 300.0f, y += 100.0f);
    for (int hit = 0; hit < 3; ++hit) {
      KpBullet shot(&tower, &unit);
      unit.takeHit(shot, true);
    }
    EXPECT_FLOAT_EQ(Lost(unit), 60.0f);
    EXPECT_EQ(ModifiersOf<DotModifier>(unit), c.poisons);
    EXPECT_EQ(ModifiersOf<StunModifier>(unit), c.stuns);
    EXPECT_EQ(ModifiersOf<HoldModifier>(unit), c.holds);
    EXPECT_EQ(ModifiersOf<HoldAndTeleport>(unit), c.teleports);
    for (const KpModifier* each : unit.modifiers) {
      EXPECT_EQ(each->source, &tower);
      EXPECT_EQ(each->duration, c.duration);
      // Poison bites every 0.9 s, the others act every frame.
      EXPECT_EQ(each->period, c.poisons ? 0.9f : KpModifier::kUnlimited);
    }
  }
}

TEST_F(BulletTest, EachTowerLeavesItsOwnEffectOnAUnit) {
  KpTower& first = Tower(kPoison, 100.0f, 300.0f);
  KpTower& second = Tower(kPoison, 100.0f, 500.0f);
  KpEnemy& unit = Unit(kPlainUnit, 300.0f, 300.0f);
  for (KpTower* tower : {&first, &second}) {
    KpBullet shot(tower, &unit);
    unit.takeHit(shot, true);
  }
  EXPECT_EQ(ModifiersOf<DotModifier>(unit), 2);
}

TEST_F(BulletTest, AHitOnTheGroundLeavesFireWhereTheUnitStands) {
  KpTower& tower = Tower(kFireSplash, 100.0f, 300.0f);
  KpEnemy& unit = Unit(kPlainUnit, 300.0f, 320.0f);
  KpBullet shot(&tower, &unit);
  unit.takeHit(shot, true);
  ASSERT_EQ(AreaEffectsOf<FireSplashModifier>(), 1);
  const KpModifier& fire = *map_->areaEffects.back();
  EXPECT_EQ(fire.x, 300.0f);
  EXPECT_EQ(fire.y, 320.0f);
  EXPECT_EQ(fire.radius, 64.0f);
}

struct Immunity {
  const char* name;
  int unit;
  int tower;
  bool immune;
};

// An immune unit takes neither damage nor effect, and says so.
TEST_F(BulletTest, AnImmuneUnitTakesNothingOfTheHit) {
  const Immunity cases[] = {
      {"stone against poison", kStoneUnit, kPoison, true},
      {"stone against stun", kStoneUnit, kStun, true},
      {"ice against poison", kIceUnit, kPoison, true},
      {"ice against stun", kIceUnit, kStun, true},
      {"ice against hold", kIceUnit, kHold, false},
      {"poison immune against hold", kPoisonImmune, kHold, true},
      {"poison immune against poison", kPoisonImmune, kPoison, false},
      {"fire only against other ammunition", kFireDamageOnly, kNotFire, true},
      {"fire only against fire ammunition", kFireDamageOnly, kHoming, false},
      {"fire only against the shell", kFireDamageOnly, kLobbedShell, false},
  };
  ASSERT_NE(map_->popups, nullptr);
  float y = 100.0f;
  for (const Immunity& c : cases) {
    SCOPED_TRACE(c.name);
    KpTower& tower = Tower(c.tower, 100.0f, y);
    KpEnemy& unit = Unit(c.unit, 300.0f, y += 100.0f);
    const std::size_t popups = map_->popups->popups().size();
    KpBullet shot(&tower, &unit);
    unit.takeHit(shot, true);
    if (!c.immune) {
      EXPECT_FLOAT_EQ(Lost(unit), 20.0f);
      EXPECT_EQ(map_->popups->popups().size(), popups);
      continue;
    }
    EXPECT_EQ(Lost(unit), 0.0f);
    EXPECT_TRUE(std::all_of(unit.modifiers.begin(), unit.modifiers.end(),
                            [](const KpModifier* each) { return each->ability; }));
    ASSERT_EQ(map_->popups->popups().size(), popups + 1);
    const KpPopup& popup = *map_->popups->popups().back();
    EXPECT_EQ(popup.kind, KpPopup::kImmune);
    EXPECT_EQ(popup.y, y - 20.0f);
  }
}

TEST_F(BulletTest, SellingATowerTakesItsShotsAndEveryEffectForgetsIt) {
  KpTower& sold = Tower(kTeleportBeam, 100.0f, 300.0f);
  KpTower& kept = Tower(kHoming, 100.0f, 500.0f);
  KpEnemy& unit = Unit(kPlainUnit, 300.0f, 300.0f);
  {
    KpBullet passing(&sold, &unit);
    unit.takeHit(passing, true);
  }
  Fire(sold, unit);
  Fire(kept, unit);
  Fire(sold, unit);
  map_->bullets->removeTowerBullets(&sold);
  ASSERT_EQ(map_->bullets->bullets().size(), 1u);
  EXPECT_EQ(map_->bullets->bullets().front()->tower, &kept);
  for (const KpModifier* each : unit.modifiers) EXPECT_NE(each->source, &sold);
}

TEST_F(BulletTest, ShotsForgetARemovedUnit) {
  KpTower& tower = Tower(kHoming, 100.0f, 300.0f);
  KpEnemy& unit = Unit(kPlainUnit, 300.0f, 300.0f);
  KpEnemy& other = Unit(kPlainUnit, 300.0f, 400.0f);
  KpBullet& shot = Fire(tower, unit);
  KpBullet& kept = Fire(tower, other);
  shot.hitList = {&unit, &other};
  map_->bullets->forgetEnemy(&unit);
  EXPECT_EQ(shot.target, nullptr);
  EXPECT_EQ(kept.target, &other);
  EXPECT_EQ(shot.hitList, std::vector<KpEnemy*>{&other});
}

TEST_F(BulletTest, AShotWhoseAmmunitionTheDataLacksSaysSoOnce) {
  KpTower& tower = Tower(kMissingAmmo, 100.0f, 300.0f);
  KpEnemy& target = Unit(kPlainUnit, 300.0f, 300.0f);
  Fire(tower, target);
  Fire(tower, target);
  const auto mentions = std::count_if(log_.begin(), log_.end(), [](const base::WString& line) {
    return line.find(u"2999") != base::WString::npos;
  });
  EXPECT_EQ(mentions, 1);
  StepUntilLanded();
  EXPECT_FLOAT_EQ(Lost(target), 40.0f) << "the shots still hit";
}

TEST_F(BulletTest, ShotsThatCouldNeverMoveAreNotFiredAndTheDataIsBlamedOnce) {
  KpTower& tower = Tower(kStandingShots, 100.0f, 300.0f);
  KpEnemy& target = Unit(kPlainUnit, 300.0f, 300.0f);
  for (int shot = 0; shot < 2; ++shot) map_->bullets->add(new KpBullet(&tower, &target));
  EXPECT_FALSE(Flying());
  const auto mentions = std::count_if(log_.begin(), log_.end(), [](const base::WString& line) {
    return line.find(u"91013") != base::WString::npos;
  });
  EXPECT_EQ(mentions, 1);
}

// The most opaque pixel of a square around the point.
std::uint32_t MostOpaqueAround(const std::vector<std::uint32_t>& picture, int width, int x, int y) {
  constexpr int kReach = 20;
  std::uint32_t most = 0;
  for (int py = y - kReach; py <= y + kReach; ++py)
    for (int px = x - kReach; px <= x + kReach; ++px) most = std::max(most, picture[py * width + px] >> 24);
  return most;
}

TEST_F(BulletTest, ShotsShowTheirAmmunitionWhereTheyFly) {
  constexpr int kWidth = 1024;
  constexpr int kHeight = 768;
  KpEnemy& target = Unit(kPlainUnit, 900.0f, 100.0f);
  // A dart is one image; a shell plays its layout.
  KpBullet& dart = Fire(Tower(kHoming, 100.0f, 100.0f), target);
  KpBullet& shell = Fire(Tower(kLobbedShell, 100.0f, 500.0f), target);
  dart.x = 200.0f;
  dart.y = 100.0f;
  shell.x = 300.0f;
  shell.y = 500.0f;

  auto& render = static_cast<render::RenderDX9&>(*game().GetRender());
  std::unique_ptr<render::RenderTarget> picture;
  ASSERT_EQ(render.CreateRenderTarget(kWidth, kHeight, &picture, true), QL_OK);
  {
    render::Graphics graphics(*picture);
    const float transparent[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    graphics.Clear(render::kClearColor, transparent, 1.0f, 0);
    map_->bullets->draw(graphics);
  }
  auto& device = *render.GetDevice();
  ASSERT_EQ(device.SetRenderTarget(picture->GetTexture()->GetDeviceTexture()), platform::DeviceResult::kOk);
  const std::vector<std::uint32_t> pixels = device.ReadPixels({0, 0, kWidth, kHeight});
  ASSERT_EQ(device.SetRenderTarget(nullptr), platform::DeviceResult::kOk);
  ASSERT_EQ(pixels.size(), static_cast<std::size_t>(kWidth * kHeight));
  EXPECT_GT(MostOpaqueAround(pixels, kWidth, 200, 100), 0u) << "the dart";
  EXPECT_GT(MostOpaqueAround(pixels, kWidth, 300, 500), 0u) << "the shell";
  EXPECT_EQ(MostOpaqueAround(pixels, kWidth, 700, 300), 0u) << "nothing elsewhere";
}

// Spells.

KpSpell& Cast(KpMap& map, int spellId, float x, float y) {
  auto* spell = new KpSpell(spellId);
  spell->x = x;
  spell->y = y;
  map.bullets->add(spell);
  spell->cast();
  return *spell;
}

struct SpellArea {
  const char* name;
  int spell;
  int (*count)(const std::vector<KpModifier*>& areas);
};

TEST_F(BulletTest, ASpellLeavesItsAreaOnTheMap) {
  const SpellArea cases[] = {
      {"fire", 3001, CountOf<FireSplashModifier>},
      {"hold", 3002, CountOf<MapImpassableArea>},
      {"poison", 3003, CountOf<DotModifierArea>},
      {"tower boost", 3004, CountOf<TowersBoost>},
  };
  for (const SpellArea& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t areas = map_->areaEffects.size();
    Cast(*map_, c.spell, 400.0f, 300.0f);
    EXPECT_EQ(c.count(map_->areaEffects), 1);
    EXPECT_EQ(map_->areaEffects.size(), areas + 1);
  }
}

TEST_F(BulletTest, ASpellHitsEachUnitInItsAreaOnceIncludingLateComers) {
  // Spell 3000: r 170, strength 45, two seconds, stuns.
  KpEnemy& inside = Unit(kPlainUnit, 400.0f, 300.0f);
  KpEnemy& later = Unit(kPlainUnit, 600.0f, 300.0f);
  Cast(*map_, 3000, 400.0f, 300.0f);
  Step(5);
  EXPECT_FLOAT_EQ(Lost(inside), 45.0f);
  EXPECT_EQ(ModifiersOf<StunModifier>(inside), 1);
  EXPECT_EQ(Lost(later), 0.0f);
  MoveUnit(later, 480.0f, 300.0f);
  Step(5);
  EXPECT_FLOAT_EQ(Lost(inside), 45.0f);
  EXPECT_FLOAT_EQ(Lost(later), 45.0f);
  ASSERT_TRUE(Flying());
  Step(10);
  EXPECT_FALSE(Flying()) << "over after its two seconds";
}

TEST_F(BulletTest, ASpellsCastTakesTheUpgradedPrototypeAndItsLingeringAreaTheLibrarysOne) {
  // The bought step adds 20 % of the strength: 10 becomes 12, 45 would be 54.
  Cast(*map_, 3001, 100.0f, 300.0f);
  ASSERT_EQ(map_->areaEffects.size(), 1u);
  EXPECT_EQ(map_->areaEffects.front()->value, 12.0f);
  KpEnemy& unit = Unit(kPlainUnit, 400.0f, 300.0f);
  Cast(*map_, 3000, 400.0f, 300.0f);
  Step();
  EXPECT_FLOAT_EQ(Lost(unit), 45.0f);
}

TEST_F(BulletTest, ASpellTheDataLacksIsLoggedAndEnds) {
  KpEnemy& unit = Unit(kPlainUnit, 400.0f, 300.0f);
  Cast(*map_, 3999, 400.0f, 300.0f);
  Step();
  EXPECT_FALSE(Flying());
  EXPECT_EQ(Lost(unit), 0.0f);
  EXPECT_TRUE(map_->areaEffects.empty());
  EXPECT_TRUE(std::any_of(log_.begin(), log_.end(),
                          [](const base::WString& line) { return line.find(u"3999") != base::WString::npos; }));
}

}  // namespace
