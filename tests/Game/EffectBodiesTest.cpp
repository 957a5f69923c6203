// What each timed effect does on a running map: to the enemies that hold
// it, to those in its area, to the towers; and that what it keeps is owned,
// advanced once per frame and let go when it ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Core/Render/ParticleEmitter.h"
#include "Game/AbilityModifiers.h"
#include "Game/AreaModifiers.h"
#include "Game/KpBullet.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpPoint.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpTower.h"
#include "Game/KpWaveProto.h"
#include "Game/KpWaves.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/ShamanPortal.h"
#include "Game/TowerAuras.h"
#include "Game/TowersBoost.h"
#include "Game/UnitModifiers.h"
#include "tests/Game/ProtoFixtures.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/WorldScenario.h"

namespace {

// A road from the spawn point over a middle point to the goal, and spots
// beside it; the level's one wave waits far longer than any test runs.
constexpr const char* kLevel = R"(<map><li>kp/data/maps/e1_l1/background.png</li><budget>500</budget>
<points><point id="1" x="0" y="300"><p name="spawn" value="1"/></point>
<point id="3" x="500" y="300"/>
<point id="2" x="1000" y="300"><p name="goal" value="1"/></point></points>
<links><link sid="1" eid="3" anchor_x="250" anchor_y="300"/><link sid="3" eid="2" anchor_x="750" anchor_y="300"/></links>
<spots><spot x="280" y="380"><p name="radius_mult" value="1"/><p name="income_mult" value="1"/></spot>
<spot x="380" y="380"><p name="radius_mult" value="1"/></spot>
<spot x="880" y="80"/></spots>
<waves><wave timeout="9999" spawn="1"><e id="1" upgrade="1" x="0" y="0"/></wave></waves></map>)";

constexpr int kWalker = 901;
constexpr int kOwner = 902;  // r 200, summons through ammo 9501
constexpr int kBlocker = 903;
constexpr int kWeakener = 904;
constexpr int kUnknownUnit = 999;
constexpr int kBoostTower = 9601;
constexpr int kPlainTower = 9602;
constexpr int kRevealTower = 9603;
constexpr int kGoldTower = 9604;

constexpr const char* kUnits =
    "id;parent;type;levelid;health;speed;r;cooldown;ammoid;blocktower;debufftower\n"
    "901;-1;2;0;100;40;0;0;0;0;0\n"
    "902;-1;2;0;100;40;200;3;9501;0;0\n"
    "903;-1;2;0;100;40;200;0;0;1;0\n"
    "904;-1;2;0;100;40;200;0;0;0;1\n";
constexpr const char* kTowers =
    "id;parent;type;levelid;require;r;strength;cooldown;speed;ammoid;boostTower;showInvisible;goldIncome\n"
    "9601;-1;1;0;0;400;10;1;50;9502;1;0;0\n"
    "9602;-1;1;0;0;100;20;1;300;9502;0;0;0\n"
    "9603;-1;1;0;0;200;-1;1;0;0;0;1;0\n"
    "9604;-1;1;0;0;100;-1;2;0;0;0;0;5\n";
constexpr const char* kAmmo =
    "id;parent;type;r;speed;onFire;onHit\n"
    "9501;-1;4;0;2;portal_1;\n"
    "9502;-1;4;100;0;;blow_bub\n";

constexpr float kStep = 0.1f;

class EffectBodiesTest : public testing_support::WorldScenario {
 protected:
  void SetUp() override {
    WorldScenario::SetUp();
    ASSERT_TRUE(level().loadLevelText(kLevel));
    proto_fixtures::LoadLibrary(*map().protos, kUnits, kTowers, kAmmo);
  }

  KpMap& map() { return level().map(); }

  // A unit of the level's wave standing at the point, as the map spawns it.
  KpEnemy& spawn(int unitId, float x, float y) {
    KpWaveProto* wave = map().waves->waves().front();
    auto* entry = new KpWaveEntry(wave);
    entry->unitId = unitId;
    entry->x = KpWaveEntry::kMadeAtRunTime;
    wave->entries.push_back(entry);
    KpEnemy* unit = map().spawnUnit(entry, map().findSpawnPoint());
    EXPECT_NE(unit, nullptr);
    // Its own abilities are not what these tests look at.
    DeleteAllPointers(unit->modifiers);
    unit->x = unit->shownX = x;
    unit->y = unit->shownY = y;
    return *unit;
  }

  KpTower& place(int spot, int towerId) {
    const KpProto* proto = map().protos->find(towerId);
    EXPECT_NE(proto, nullptr);
    return *map().placeTower(*proto, *map().mapImages->spotFrames()[static_cast<std::size_t>(spot)]);
  }

  // What the game logs from the call on; kept until the log goes.
  std::vector<base::WString>& recordLog() {
    proto_fixtures::RecordLog(logLines_);
    return logLines_;
  }

  // The map's own frame clears every slow after the units move.
  void clearSlows() {
    for (KpEnemy* unit : map().waves->enemies()) unit->speedReduction = 0.0f;
  }

 private:
  std::vector<base::WString> logLines_;
};

// The slows: what each leaves on a unit inside and on one far away.
struct SlowCase {
  const char* name;
  std::function<KpModifier*(KpEnemy& unit)> make;
  // Held by the unit rather than lying on the map.
  bool onTheUnit;
  float nearSlow;
};

class SlowTest : public EffectBodiesTest, public ::testing::WithParamInterface<SlowCase> {};

TEST_P(SlowTest, SetsTheSlowOfTheUnitsItReachesForOneFrame) {
  const SlowCase& c = GetParam();
  KpEnemy& near = spawn(kWalker, 100.0f, 300.0f);
  KpEnemy& far = spawn(kWalker, 600.0f, 300.0f);
  std::unique_ptr<KpModifier> effect(c.make(near));
  effect->update(c.onTheUnit ? &near : nullptr, kStep);
  EXPECT_FLOAT_EQ(near.speedReduction, c.nearSlow);
  EXPECT_FLOAT_EQ(far.speedReduction, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(
    EffectBodies, SlowTest,
    ::testing::Values(
        SlowCase{"StunHalvesTheBaseSpeed", [](KpEnemy&) { return new StunModifier("speed", 0.5f, 3.0f, nullptr); },
                 true, 20.0f},
        SlowCase{"HoldStopsTheUnit", [](KpEnemy&) { return new HoldModifier("speed", 0.5f, 3.0f, nullptr); }, true,
                 40.0f},
        SlowCase{"TeleportHoldsFirst", [](KpEnemy&) { return new HoldAndTeleport("", 0.0f, 3.0f, nullptr); }, true,
                 40.0f},
        SlowCase{"ImpassableAreaStopsThoseInside",
                 [](KpEnemy& unit) { return new MapImpassableArea(5.0f, unit.x, unit.y, 100.0f); }, false, 40.0f}),
    testing_support::RowName());

TEST_F(EffectBodiesTest, DamageAreasHurtOnlyTheUnitsWithinHalfTheirSize) {
  KpEnemy& inside = spawn(kWalker, 100.0f, 300.0f);
  KpEnemy& edge = spawn(kWalker, 150.0f, 300.0f);
  KpEnemy& outside = spawn(kWalker, 151.0f, 300.0f);
  FireSplashModifier fire("", 7.0f, 10.0f, 100.0f, 300.0f, 100.0f);
  for (int i = 0; i < 4; ++i) fire.update(nullptr, 0.25f);
  EXPECT_FLOAT_EQ(inside.health, 100.0f) << "once a second: not yet";
  fire.update(nullptr, 0.25f);
  EXPECT_FLOAT_EQ(inside.health, 93.0f);
  EXPECT_FLOAT_EQ(edge.health, 93.0f);
  EXPECT_FLOAT_EQ(outside.health, 100.0f);
}

TEST_F(EffectBodiesTest, ABurstingShotHitsAroundItWithItsTowersStrengthAndShowsItsHit) {
  KpTower& tower = place(1, kPlainTower);
  KpEnemy& inside = spawn(kWalker, 100.0f, 340.0f);
  KpEnemy& outside = spawn(kWalker, 100.0f, 360.0f);
  KpBullet shot(nullptr, nullptr);
  shot.tower = &tower;
  shot.tierProto = tower.getTierProto();
  shot.x = 100.0f;
  shot.y = 300.0f;
  const std::size_t hitsBefore = map().hitEmitters.size();
  BlastModifier blast(shot);
  EXPECT_FLOAT_EQ(inside.health, 80.0f);
  EXPECT_FLOAT_EQ(outside.health, 100.0f);
  EXPECT_EQ(map().hitEmitters.size(), hitsBefore + 1);
  blast.update(nullptr, kStep);
  EXPECT_FALSE(blast.active) << "it acts once, when made";
  EXPECT_FLOAT_EQ(inside.health, 80.0f);
}

TEST_F(EffectBodiesTest, APoisonCloudPoisonsEachUnitInsideOnceAndThePoisonBitesOnceASecond) {
  KpEnemy& inside = spawn(kWalker, 100.0f, 300.0f);
  KpEnemy& outside = spawn(kWalker, 400.0f, 300.0f);
  DotModifierArea cloud(100.0f, 300.0f, 100.0f, 4.0f, 5.0f);
  for (int i = 0; i < 5; ++i) cloud.update(nullptr, kStep);
  ASSERT_EQ(inside.modifiers.size(), 1u);
  EXPECT_TRUE(outside.modifiers.empty());
  KpModifier& poison = *inside.modifiers.front();
  EXPECT_EQ(poison.source, nullptr);
  EXPECT_FALSE(poison.ability);
  const std::size_t spritesBefore = map().effectSprites.size();
  for (int i = 0; i < 11; ++i) poison.update(&inside, kStep);
  EXPECT_FLOAT_EQ(inside.health, 96.0f);
  EXPECT_EQ(map().effectSprites.size(), spritesBefore + 1) << "the poison's mark";
}

TEST_F(EffectBodiesTest, HealsStopAtFullHealthAndNeedAnUnslowedLivingHealer) {
  KpEnemy& healer = spawn(kOwner, 100.0f, 300.0f);
  KpEnemy& wounded = spawn(kWalker, 150.0f, 300.0f);
  KpEnemy& scratched = spawn(kWalker, 50.0f, 300.0f);
  KpEnemy& distant = spawn(kWalker, 350.0f, 300.0f);
  healer.health = 50.0f;
  wounded.health = 50.0f;
  scratched.health = 95.0f;
  distant.health = 50.0f;
  HealerModifier heal("", 0.0f, KpModifier::kUnlimited, nullptr);
  heal.update(&healer, kStep);
  EXPECT_FLOAT_EQ(wounded.health, 60.0f);
  EXPECT_FLOAT_EQ(scratched.health, 100.0f) << "not past the maximum";
  EXPECT_FLOAT_EQ(distant.health, 50.0f);
  EXPECT_FLOAT_EQ(healer.health, 50.0f) << "never itself";
  EXPECT_EQ(healer.state, KpEnemy::kSpecial);

  healer.state = KpEnemy::kWalking;
  healer.speedReduction = 1.0f;
  heal.update(&healer, kStep);
  EXPECT_FLOAT_EQ(wounded.health, 60.0f) << "a slowed healer does not heal";
  EXPECT_EQ(healer.state, KpEnemy::kWalking);

  RegenModifier regen("", 0.0f, KpModifier::kUnlimited, nullptr);
  regen.update(&scratched, kStep);
  EXPECT_FLOAT_EQ(scratched.health, 100.0f);
  regen.update(&wounded, kStep);
  EXPECT_FLOAT_EQ(wounded.health, 70.0f);
  wounded.health = 0.0f;
  wounded.state = KpEnemy::kDying;
  regen.update(&wounded, kStep);
  EXPECT_FLOAT_EQ(wounded.health, 0.0f) << "the dead do not heal";
}

// The abilities that change the others around their owner.
struct AreaAbilityCase {
  const char* name;
  std::function<KpModifier*()> make;
  std::function<bool(const KpEnemy&)> changed;
};

class AreaAbilityTest : public EffectBodiesTest, public ::testing::WithParamInterface<AreaAbilityCase> {};

TEST_P(AreaAbilityTest, ReachesTheOthersNearerThanTheOwnersRWhileTheOwnerLives) {
  const AreaAbilityCase& c = GetParam();
  KpEnemy& owner = spawn(kOwner, 100.0f, 300.0f);
  KpEnemy& near = spawn(kWalker, 299.0f, 300.0f);
  KpEnemy& far = spawn(kWalker, 300.0f, 300.0f);
  std::unique_ptr<KpModifier> ability(c.make());
  EXPECT_TRUE(ability->ability);
  ability->update(&owner, kStep);
  EXPECT_TRUE(c.changed(near));
  EXPECT_FALSE(c.changed(far));
  EXPECT_FALSE(c.changed(owner));

  KpEnemy& late = spawn(kWalker, 150.0f, 300.0f);
  owner.state = KpEnemy::kDying;
  ability->update(&owner, kStep);
  EXPECT_FALSE(c.changed(late));
}

INSTANTIATE_TEST_SUITE_P(
    EffectBodies, AreaAbilityTest,
    ::testing::Values(
        AreaAbilityCase{"Haste", [] { return new HasteAreaModifier("", 0.0f, KpModifier::kUnlimited, nullptr); },
                        [](const KpEnemy& unit) { return unit.hasteTime == 5.0f && unit.targetSpeedFactor == 2.0f; }},
        AreaAbilityCase{
            "Invisibility", [] { return new InvisibleAreaModifier("", 0.0f, KpModifier::kUnlimited, nullptr); },
            [](const KpEnemy& unit) { return unit.invisibleTime == 2.0f && unit.targetOpacity == 0.4f; }}),
    testing_support::RowName());

TEST_F(EffectBodiesTest, AnInvisibleUnitHidesAtItsFirstUpdateNotACooldownLater) {
  KpEnemy& unit = spawn(kWalker, 100.0f, 300.0f);
  InvisibleModifier invisible("", 0.0f, KpModifier::kUnlimited, nullptr);
  invisible.period = 3.0f;
  invisible.update(&unit, kStep);
  EXPECT_FLOAT_EQ(unit.invisibleTime, 2.0f);
  EXPECT_FLOAT_EQ(unit.targetOpacity, 0.4f);
}

TEST_F(EffectBodiesTest, ATeleportHoldsOpensItsPortalsThenSendsTheUnitBackToItsStart) {
  KpTower& tower = place(0, kPlainTower);
  KpEnemy& unit = spawn(kWalker, 600.0f, 300.0f);
  ASSERT_EQ(unit.route, (std::vector<int>{1, 3, 2}));
  unit.routeIndex = 1;
  unit.linkPosition = 0.5f;
  unit.linkTime = 4.0f;
  unit.spawnPoint = map().findPoint(3);
  unit.state = KpEnemy::kHeldInBeam;
  tower.target = &unit;
  auto* teleport = new HoldAndTeleport("", 0.0f, 3.0f, &tower);
  unit.modifiers.push_back(teleport);
  const auto step = [&] {
    clearSlows();
    teleport->update(&unit, 0.5f);
  };

  step();
  step();
  EXPECT_EQ(teleport->unitPortal.effect(), nullptr) << "more than 2 s left";
  step();
  ASSERT_NE(teleport->unitPortal.effect(), nullptr);
  EXPECT_EQ(teleport->startPortal.effect(), nullptr);
  step();
  step();
  ASSERT_NE(teleport->startPortal.effect(), nullptr);
  float portalX = 0.0f;
  float portalY = 0.0f;
  teleport->startPortal.effect()->emitter()->GetPosition(portalX, portalY);
  EXPECT_FLOAT_EQ(portalX, 0.0f);
  EXPECT_FLOAT_EQ(portalY, 300.0f);
  step();
  step();
  EXPECT_EQ(teleport->kind, HoldAndTeleport::kTeleporting) << "the hold has run out";
  EXPECT_TRUE(teleport->active);
  EXPECT_FLOAT_EQ(unit.speedReduction, 40.0f);
  EXPECT_EQ(unit.routeIndex, 1) << "not yet";

  const ParticleEffect* oldUnitPortal = teleport->unitPortal.effect();
  const std::size_t hitsBefore = map().hitEmitters.size();
  step();
  EXPECT_EQ(teleport->kind, HoldAndTeleport::kArrived);
  EXPECT_EQ(unit.routeIndex, 0);
  EXPECT_FLOAT_EQ(unit.linkPosition, 0.0f);
  EXPECT_FLOAT_EQ(unit.linkTime, 0.0f);
  EXPECT_EQ(unit.spawnPoint, map().findPoint(1));
  EXPECT_EQ(unit.state, KpEnemy::kWalking);
  EXPECT_FLOAT_EQ(unit.linkLength, map().linkLength(map().findLink(*map().findPoint(1), *map().findPoint(3))));
  EXPECT_EQ(tower.target, nullptr) << "the tower lets go of it";
  EXPECT_EQ(map().hitEmitters.size(), hitsBefore + 1) << "the burst where it was";
  EXPECT_EQ(teleport->unitPortal.effect(), nullptr);
  EXPECT_EQ(std::ranges::count(map().heldEffects, oldUnitPortal), 0) << "the old portal is gone";

  step();
  EXPECT_NE(teleport->unitPortal.effect(), nullptr) << "a new portal where the unit is now";
  EXPECT_TRUE(teleport->active);
  step();
  EXPECT_FALSE(teleport->active) << "half a second after the teleport";
  EXPECT_EQ(map().heldEffects.size(), 2u);
  RemoveAndDeletePointer(unit.modifiers, static_cast<KpModifier*>(teleport));
  EXPECT_TRUE(map().heldEffects.empty()) << "its portals went with it";
}

TEST_F(EffectBodiesTest, HeldPortalsAreNotTheMapsToAdvanceAndMoveOncePerFrame) {
  KpEnemy& shaman = spawn(kOwner, 200.0f, 300.0f);
  const KpProto& ammo = *map().protos->find(9501);
  auto* portal = new ShamanPortal(map(), shaman, ammo, 3.0f);
  map().areaEffects.push_back(portal);
  ASSERT_NE(portal->portal.effect(), nullptr);
  const ParticleEffect* effect = portal->portal.effect();
  EXPECT_EQ(std::ranges::count(map().hitEmitters, effect), 0);
  EXPECT_EQ(std::ranges::count(map().fxEmitters, effect), 0);
  EXPECT_EQ(std::ranges::count(map().heldEffects, effect), 1) << "drawn with the hit effects";
  for (int i = 0; i < 5; ++i) portal->update(nullptr, kStep);
  EXPECT_NEAR(effect->elapsed, 5 * kStep, 1e-5f);
  RemoveAndDeletePointer(map().areaEffects, static_cast<KpModifier*>(portal));
  EXPECT_TRUE(map().heldEffects.empty());
}

TEST_F(EffectBodiesTest, ASummonersPortalBringsAUnitOutOncePerPeriodWhereTheSummonerStood) {
  KpEnemy& shaman = spawn(kOwner, 200.0f, 300.0f);
  shaman.entry->y = -65.0f;
  shaman.linkPosition = 0.4f;
  shaman.linkLength = 480.0f;
  shaman.linkTime = 2.0f;
  ShamanModifier summon("", 0.0f, KpModifier::kUnlimited, nullptr);
  summon.update(&shaman, kStep);
  EXPECT_EQ(shaman.state, KpEnemy::kSpecial);
  ASSERT_EQ(map().areaEffects.size(), 1u);
  auto& portal = dynamic_cast<ShamanPortal&>(*map().areaEffects.front());
  EXPECT_FLOAT_EQ(portal.duration, 3.0f) << "the summoner's cooldown";
  EXPECT_FLOAT_EQ(portal.period, 2.0f) << "its ammunition's speed";

  // The summoner walks on; the portal remembers where it was.
  shaman.x = 400.0f;
  shaman.linkPosition = 0.8f;
  KpWaveProto& wave = *shaman.entry->wave;
  const std::size_t entriesBefore = wave.entries.size();
  const std::size_t unitsBefore = map().waves->enemies().size();
  for (int i = 0; i < 21; ++i) portal.update(nullptr, kStep);
  ASSERT_EQ(map().waves->enemies().size(), unitsBefore + 1);
  ASSERT_EQ(wave.entries.size(), entriesBefore + 1);
  const KpWaveEntry& entry = *wave.entries.back();
  EXPECT_EQ(entry.unitId, ShamanPortal::kSummonedUnit);
  EXPECT_FLOAT_EQ(entry.x, KpWaveEntry::kMadeAtRunTime);
  EXPECT_FLOAT_EQ(entry.y, -65.0f);
  EXPECT_TRUE(entry.spawned);
  const KpEnemy& summoned = *map().waves->enemies().back();
  EXPECT_EQ(summoned.route, shaman.route);
  EXPECT_FLOAT_EQ(summoned.x, 200.0f);
  EXPECT_FLOAT_EQ(summoned.linkPosition, 0.4f);
  EXPECT_FLOAT_EQ(summoned.linkLength, 480.0f);
  EXPECT_FLOAT_EQ(summoned.linkTime, 2.0f);
  for (int i = 0; i < 10; ++i) portal.update(nullptr, kStep);
  EXPECT_FALSE(portal.active);
  EXPECT_EQ(map().waves->enemies().size(), unitsBefore + 1) << "one period in three seconds";
}

TEST_F(EffectBodiesTest, AHeldSummonerOpensNoPortal) {
  KpEnemy& shaman = spawn(kOwner, 200.0f, 300.0f);
  shaman.speedReduction = 40.0f;
  ShamanModifier summon("", 0.0f, KpModifier::kUnlimited, nullptr);
  summon.update(&shaman, kStep);
  EXPECT_TRUE(map().areaEffects.empty());
  EXPECT_EQ(shaman.state, KpEnemy::kWalking);
}

TEST_F(EffectBodiesTest, TwoBoostSpellsEachLetGoOnlyOfTheirOwnMarksAndHammers) {
  KpTower& first = place(0, kPlainTower);
  KpTower& second = place(1, kPlainTower);
  auto* early = new TowersBoost(1.0f, 0.5f);
  auto* late = new TowersBoost(5.0f, 0.25f);
  map().areaEffects = {early, late};
  first.bonus->clearBoostValues();
  early->update(nullptr, kStep);
  late->update(nullptr, kStep);
  EXPECT_FLOAT_EQ(first.bonus->strength, 20.0f * 0.75f);
  EXPECT_FLOAT_EQ(first.bonus->range, 100.0f * 0.75f);
  EXPECT_EQ(first.spellBoosts, 2);
  EXPECT_EQ(second.spellBoosts, 2);
  EXPECT_EQ(map().heldEffects.size(), 4u) << "a hammer per tower and boost";
  EXPECT_EQ(early->boosted().size(), 2u);

  RemoveAndDeletePointer(map().areaEffects, static_cast<KpModifier*>(early));
  EXPECT_EQ(first.spellBoosts, 1) << "the later boost still holds it";
  EXPECT_EQ(map().heldEffects.size(), 2u);
  RemoveAndDeletePointer(map().areaEffects, static_cast<KpModifier*>(late));
  EXPECT_EQ(first.spellBoosts, 0);
  EXPECT_TRUE(map().heldEffects.empty());
}

TEST_F(EffectBodiesTest, ASoldTowerIsForgottenByEveryEffect) {
  KpTower& tower = place(0, kPlainTower);
  KpEnemy& unit = spawn(kWalker, 100.0f, 300.0f);
  auto* teleport = new HoldAndTeleport("", 0.0f, 3.0f, &tower);
  auto* stun = new StunModifier("speed", 0.5f, 3.0f, &tower);
  unit.modifiers = {teleport, stun};
  auto* boost = new TowersBoost(5.0f, 0.5f);
  map().areaEffects.push_back(boost);
  boost->update(nullptr, kStep);
  ASSERT_EQ(boost->boosted().size(), 1u);

  map().sellTower(&tower);
  EXPECT_EQ(teleport->source, nullptr);
  EXPECT_EQ(stun->source, nullptr);
  EXPECT_TRUE(boost->boosted().empty());
  EXPECT_TRUE(map().heldEffects.empty()) << "its hammer went with it";
}

TEST_F(EffectBodiesTest, ALevelStartLetsGoOfEveryAreaAndEverythingTheEffectsHold) {
  place(0, kPlainTower);
  KpEnemy& unit = spawn(kWalker, 600.0f, 300.0f);
  auto* teleport = new HoldAndTeleport("", 0.0f, 0.5f, nullptr);
  unit.modifiers.push_back(teleport);
  teleport->update(&unit, kStep);
  auto* boost = new TowersBoost(5.0f, 0.5f);
  map().areaEffects.push_back(boost);
  boost->update(nullptr, kStep);
  map().areaEffects.push_back(new ShamanPortal(map(), unit, *map().protos->find(9501), 3.0f));
  ASSERT_EQ(map().heldEffects.size(), 4u) << "two portals, a hammer and a summoning portal";

  ASSERT_TRUE(level().loadLevelText(kLevel));
  EXPECT_TRUE(map().areaEffects.empty());
  EXPECT_TRUE(map().heldEffects.empty());
}

// The blocking and weakening units: who counts, by distance and by whether
// it is held still.
struct BlockerCase {
  const char* name;
  int unitId;
  float distance;
  bool heldStill;
  bool boosted;
  bool disabled;
  bool debuffed;
};

class TowerBlockerTest : public EffectBodiesTest, public ::testing::WithParamInterface<BlockerCase> {};

TEST_P(TowerBlockerTest, CountsTheUnitsOfTheAbilityWithinTheirReachThatStillMove) {
  const BlockerCase& c = GetParam();
  KpTower& tower = place(0, kPlainTower);
  KpEnemy& unit = spawn(c.unitId, tower.x + c.distance, tower.y);
  if (c.heldStill) unit.speedReduction = 40.0f;
  if (c.boosted) tower.spellBoosts = 1;
  EXPECT_EQ(map().isTowerDisabled(tower), c.disabled);
  EXPECT_EQ(map().isTowerDebuffed(tower), c.debuffed);
}

INSTANTIATE_TEST_SUITE_P(EffectBodies, TowerBlockerTest,
                         ::testing::Values(BlockerCase{"BlockerAtHalfItsR", kBlocker, 100.0f, false, false, true, false},
                                           BlockerCase{"BlockerBeyondHalfItsR", kBlocker, 101.0f, false, false, false,
                                                       false},
                                           BlockerCase{"BlockerHeldStill", kBlocker, 50.0f, true, false, false, false},
                                           BlockerCase{"BlockerOnABoostedTower", kBlocker, 50.0f, false, true, false,
                                                       false},
                                           BlockerCase{"WeakenerAtItsR", kWeakener, 200.0f, false, false, false, true},
                                           BlockerCase{"WeakenerBeyondItsR", kWeakener, 201.0f, false, false, false,
                                                       false},
                                           BlockerCase{"PlainUnitAtTheTower", kWalker, 0.0f, false, false, false,
                                                       false}),
                         testing_support::RowName());

TEST_F(EffectBodiesTest, ARevealingTowerShowsTheUnitsInItsReachOnlyOnASpotWithARadius) {
  KpTower& tower = place(0, kRevealTower);
  KpTower& unmeasured = place(2, kRevealTower);
  KpEnemy& near = spawn(kWalker, tower.x + 99.0f, tower.y);
  KpEnemy& far = spawn(kWalker, tower.x + 100.0f, tower.y);
  KpEnemy& byTheOther = spawn(kWalker, unmeasured.x + 1.0f, unmeasured.y);
  for (KpEnemy* unit : {&near, &far, &byTheOther}) {
    unit->invisibleTime = 2.0f;
    unit->targetOpacity = 0.4f;
  }
  ShowInvisible(&tower).update(nullptr, kStep);
  ShowInvisible(&unmeasured).update(nullptr, kStep);
  EXPECT_FLOAT_EQ(near.invisibleTime, 0.0f);
  EXPECT_FLOAT_EQ(near.targetOpacity, 1.0f);
  EXPECT_FLOAT_EQ(far.invisibleTime, 2.0f);
  EXPECT_FLOAT_EQ(byTheOther.invisibleTime, 2.0f) << "no \"radius_mult\" reaches nothing";
}

TEST_F(EffectBodiesTest, ABoostingTowerStrengthensTheOtherPlainTowersInItsReach) {
  KpTower& booster = place(0, kBoostTower);
  KpTower& plain = place(1, kPlainTower);
  KpTower& otherBooster = place(2, kBoostTower);
  for (KpTower* tower : map().towers) tower->bonus->clearBoostValues();
  MagicTowerBoost(&booster).update(nullptr, kStep);
  EXPECT_FLOAT_EQ(plain.bonus->strength, 20.0f * 0.5f);
  EXPECT_FLOAT_EQ(plain.bonus->range, 100.0f * 0.5f);
  EXPECT_TRUE(plain.boosted);
  EXPECT_FALSE(booster.boosted);
  EXPECT_FALSE(otherBooster.boosted);
}

TEST_F(EffectBodiesTest, AGoldTowerPaysItsIncomeOncePerPeriod) {
  KpTower& tower = place(0, kGoldTower);
  const int before = level().money();
  GoldIncomerModifier income(5, 2.0f, &tower);
  for (int i = 0; i < 4; ++i) income.update(nullptr, 0.5f);
  EXPECT_EQ(level().money(), before);
  income.update(nullptr, 0.5f);
  EXPECT_EQ(level().money(), before + 5);
}

TEST_F(EffectBodiesTest, AnEffectWhoseDataIsMissingIsSkippedWithOneLogLine) {
  const std::vector<base::WString>& lines = recordLog();
  KpEnemy& stranger = spawn(kWalker, 100.0f, 300.0f);
  stranger.entry->unitId = kUnknownUnit;
  StunModifier stun("speed", 0.5f, 3.0f, nullptr);
  for (int i = 0; i < 5; ++i) stun.update(&stranger, kStep);
  EXPECT_FLOAT_EQ(stranger.speedReduction, 0.0f);
  const auto skipped = [&] {
    return std::ranges::count_if(lines, [](const base::WString& line) {
      return line.find(u"timed effect is skipped") != base::WString::npos;
    });
  };
  EXPECT_EQ(skipped(), 1);
}

}  // namespace
