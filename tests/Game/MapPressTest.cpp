// The player's hand on the map, driven through the game window's own events:
// the platform's mouse messages become design points, the root window hands
// them to the map, and the map opens, answers and closes the radial menu,
// builds, upgrades and sells towers, buys spots, calls waves early, picks
// up gems and selects enemies.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Core/Base/TextConversion.h"
#include "Framework/GameApplication.h"
#include "Framework/GameWindow.h"
#include "Game/Game.h"
#include "Game/GameWindow.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpPopupList.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpWaveHints.h"
#include "Game/KpWaves.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/SyntheticEvents.h"
#include "tests/Support/WorldScenario.h"

namespace {

using testing_support::WorldScenario;

// Three spots: two open, one sold for 40 coins between them; the wave's
// hint stands at the left edge for its first five seconds.
constexpr const char* kLevel = R"(<map><li>kp/data/maps/e1_l1/background.png</li><budget>1000</budget>
<points><point id="1" x="-40" y="240"><p name="spawn" value="1"/></point>
<point id="2" x="1064" y="240"><p name="goal" value="1"/></point></points>
<links><link sid="1" eid="2" anchor_x="500" anchor_y="240"/></links>
<spots><spot x="300" y="330"/><spot x="600" y="330"><p name="type" value="1"/><p name="cost_gold" value="40"/></spot>
<spot x="300" y="530"/><spot x="20" y="600"/></spots>
<waves><wave timeout="5" spawn="1"><e id="1" upgrade="1" x="0" y="0"/></wave></waves></map>)";
// The level stands for the fourth of the first episode, which opens all four
// tower lines and the first two tiers of each.
constexpr int kLevelWithAllLines = 3;
constexpr int kStartMoney = 1000;
// Far from every spot, the road and the hint.
constexpr float kNowhereX = 800.0f;
constexpr float kNowhereY = 600.0f;
constexpr float kFrameTime = 1.0f / 60.0f;

struct Point {
  float x = 0.0f;
  float y = 0.0f;
};

class MapPressTest : public WorldScenario {
 protected:
  void SetUp() override {
    WorldScenario::SetUp();
    ASSERT_TRUE(level().loadLevelText(kLevel, 0, kLevelWithAllLines));
    // The start-up's own window messages go first.
    Deliver(8);
  }

  KpMap& map() { return level().map(); }
  KpTowerMenu* menu() { return map().towerMenu.get(); }
  std::uint32_t WindowId() { return game().GetWindow()->GetNativeWindow().GetId(); }

  // Passes of the main loop that take no time: each hands the window one
  // message and draws a frame.
  void Deliver(int passes) {
    for (int i = 0; i < passes; ++i) ASSERT_EQ(static_cast<base::Task&>(game()).Update(0.0f), QL_OK);
  }
  void Play(float seconds) {
    for (float t = 0.0f; t < seconds; t += kFrameTime)
      ASSERT_EQ(static_cast<base::Task&>(game()).Update(kFrameTime), QL_OK);
  }
  // Long enough for a menu to open or to close.
  void Settle() { Play(0.3f); }

  // The window pixel the screen layout turns into the design point.
  std::pair<int, int> WindowPixel(Point design) {
    const framework::ScreenLayout& layout = game().GetLayout();
    return {static_cast<int>(std::lround(design.x / layout.designScaleX - layout.designOffsetX)),
            static_cast<int>(std::lround(design.y / layout.designScaleY - layout.designOffsetY))};
  }
  void Post(Point design, bool down, int clicks = 1, bool left = true) {
    const auto [x, y] = WindowPixel(design);
    testing_support::PostMouseButton(WindowId(), x, y, left, down, clicks);
  }
  void Click(Point design) {
    Post(design, true);
    Post(design, false);
    Deliver(2);
  }
  void Release(Point design) {
    Post(design, false);
    Deliver(1);
  }
  void Hover(Point design) {
    const auto [x, y] = WindowPixel(design);
    testing_support::PostMouseMove(WindowId(), x, y);
    Deliver(1);
  }

  // Map points are design points while the map is neither scaled nor moved.
  Point DesignOf(float mapX, float mapY) {
    return {mapX * map().mapScale + map().mapOffsetX, mapY * map().mapScale + map().mapOffsetY};
  }
  KpFrameEntry& SpotEntry(int spot) { return *map().mapImages->spotFrames().at(static_cast<std::size_t>(spot)); }
  Point SpotPoint(int spot) {
    const KpFrameEntry& entry = SpotEntry(spot);
    return DesignOf(entry.x + entry.width * 0.5f, entry.y + entry.height * 0.5f);
  }
  // Where the open menu shows the item, laid out as its drawing lays it out.
  Point ItemPoint(int id) {
    KpTowerMenu& open = *menu();
    open.layOutItems();
    for (const auto& item : open.items) {
      if (item->id != id) continue;
      const MenuPoint place = open.itemPlace(*item);
      return DesignOf(place.x, place.y);
    }
    ADD_FAILURE() << "the menu offers no item " << id;
    return {};
  }
  Point HintPoint() {
    const KpFrameEntry& hint = *map().waveHints->hints().front();
    return DesignOf(hint.x + hint.width * 0.5f, hint.y + hint.height * 0.5f);
  }
  // The id of the tier the tower on the spot stands at; 0 for no tower.
  int TowerIdOn(int spot) {
    const KpTower* tower = level().towerOn(spot);
    return tower ? tower->getTierProto()->id : 0;
  }
  bool MenuShownOn(int spot) {
    return menu() && menu()->isOpen && menu()->phase != KpTowerMenu::kClosing && menu()->spotEntry == &SpotEntry(spot);
  }
  bool MenuClosing() { return menu() && menu()->isOpen && menu()->phase == KpTowerMenu::kClosing; }
  bool NoMenu() { return !menu() || !menu()->isOpen; }
};

// One gesture of a flow, or a look at where it has got to.
enum class Do {
  kClickSpot,      // press and release on the spot (or the tower standing on it)
  kReleaseOnSpot,  // only the release, as after a press outside the design area
  kChoose,         // press and release on the open menu's item of that id
  kHoverItem,      // the pointer over the item of that id, or off the ring for -1
  kClickNowhere,
  kCallWave,       // press on the wave hint after that many frames
  kPickUpGem,      // a gem lies where nothing else is and the player clicks on it
  kTutorialSpot,   // the tutorial lets the menu open on that spot only
  kSettle,
  kExpectMenuOn,   // shown on that spot, opening or open
  kExpectMenuClosing,
  kExpectNoMenu,
  kExpectSpotBought,
};

struct Step {
  Do what;
  int arg = 0;
};

struct FlowCase {
  const char* name;
  std::vector<Step> steps;
  int moneyAfter;
  // The tier id of the tower on the first spot; 0 for none.
  int towerAfter;
  int gemsGained = 0;
};

std::vector<Step> BuildOnFirstSpot(int towerId) {
  return {{Do::kClickSpot, 0}, {Do::kSettle}, {Do::kExpectMenuOn, 0}, {Do::kChoose, towerId},
          {Do::kExpectMenuClosing}, {Do::kSettle}};
}

std::vector<Step> Then(std::vector<Step> steps, const std::vector<Step>& more) {
  steps.insert(steps.end(), more.begin(), more.end());
  return steps;
}

// A tier's item is named by its level id: 10001 is the first tier, 10002 the
// second.
const std::vector<Step> kToFirstTier = {{Do::kClickSpot, 0}, {Do::kSettle}, {Do::kChoose, 1}, {Do::kSettle}};
const std::vector<Step> kToSecondTier = {{Do::kClickSpot, 0}, {Do::kSettle}, {Do::kChoose, 2}, {Do::kSettle}};
const std::vector<Step> kSell = {{Do::kClickSpot, 0}, {Do::kSettle}, {Do::kChoose, 0}, {Do::kSettle}};

class MapPressFlow : public MapPressTest, public ::testing::WithParamInterface<FlowCase> {
 protected:
  void Run(const Step& step) {
    switch (step.what) {
      case Do::kClickSpot:
        return Click(SpotPoint(step.arg));
      case Do::kReleaseOnSpot:
        return Release(SpotPoint(step.arg));
      case Do::kChoose:
        ASSERT_TRUE(menu());
        return Click(ItemPoint(step.arg));
      case Do::kHoverItem:
        ASSERT_TRUE(menu());
        Hover(step.arg < 0 ? Point{kNowhereX, kNowhereY} : ItemPoint(step.arg));
        EXPECT_EQ(menu()->hoverId, step.arg);
        return;
      case Do::kClickNowhere:
        return Click({kNowhereX, kNowhereY});
      case Do::kCallWave: {
        Play(static_cast<float>(step.arg) * kFrameTime);
        ASSERT_FALSE(map().waveHints->empty());
        const std::size_t popups = map().popups->popups().size();
        Click(HintPoint());
        EXPECT_TRUE(map().waveHints->empty());
        ASSERT_EQ(map().popups->popups().size(), popups + 1);
        EXPECT_EQ(map().popups->popups().back()->text,
                  u"+ " + base::ToWide(std::to_string(map().wallet->money - kStartMoney), base::kEncodingUtf8));
        return;
      }
      case Do::kPickUpGem: {
        auto* gem = new KpSprite;
        gem->state = KpSprite::kPickupReady;
        gem->x = kNowhereX;
        gem->y = kNowhereY;
        map().gemPickups.push_back(gem);
        Click({kNowhereX, kNowhereY});
        EXPECT_EQ(gem->state, KpSprite::kPickupCollected);
        return;
      }
      case Do::kTutorialSpot:
        map().tutorialSpot = step.arg;
        return;
      case Do::kSettle:
        return Settle();
      case Do::kExpectMenuOn:
        EXPECT_TRUE(MenuShownOn(step.arg));
        return;
      case Do::kExpectMenuClosing:
        EXPECT_TRUE(MenuClosing());
        return;
      case Do::kExpectNoMenu:
        EXPECT_TRUE(NoMenu());
        return;
      case Do::kExpectSpotBought:
        EXPECT_TRUE(SpotEntry(step.arg).spot->open);
        return;
    }
  }
};

TEST_P(MapPressFlow, EndsWithTheMoneyTheTowerAndTheMenuItShould) {
  const FlowCase& flow = GetParam();
  const int gemsBefore = map().wallet->gems;
  ASSERT_EQ(map().wallet->money, kStartMoney);
  for (std::size_t i = 0; i < flow.steps.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    ASSERT_NO_FATAL_FAILURE(Run(flow.steps[i]));
  }
  EXPECT_EQ(map().wallet->money, flow.moneyAfter);
  EXPECT_EQ(TowerIdOn(0), flow.towerAfter);
  EXPECT_EQ(map().wallet->gems - gemsBefore, flow.gemsGained);
}

INSTANTIATE_TEST_SUITE_P(
    Flows, MapPressFlow,
    ::testing::Values(
        FlowCase{"HoversThenBuildsTheFirstLine",
                 {{Do::kClickSpot, 0}, {Do::kSettle}, {Do::kHoverItem, 10000}, {Do::kHoverItem, -1},
                  {Do::kChoose, 10000}, {Do::kExpectMenuClosing}},
                 kStartMoney - 70, 10000},
        FlowCase{"BuildsTheSecondLine", BuildOnFirstSpot(20000), kStartMoney - 90, 20000},
        FlowCase{"BuildsTheThirdLine", BuildOnFirstSpot(30000), kStartMoney - 110, 30000},
        FlowCase{"BuildsTheFourthLine", BuildOnFirstSpot(40000), kStartMoney - 60, 40000},
        FlowCase{"UpgradesAlongTheChain", Then(Then(BuildOnFirstSpot(10000), kToFirstTier), kToSecondTier),
                 kStartMoney - 70 - 60 - 90, 10002},
        // Half of the tier's cost and its base's, rounded down.
        FlowCase{"SellsATierForHalfOfItAndItsBase", Then(Then(BuildOnFirstSpot(10000), kToFirstTier), kSell),
                 kStartMoney - 70 - 60 + 65, 0},
        FlowCase{"SkipsATierForBothPricesAndSellsTheLastTier",
                 Then(Then(BuildOnFirstSpot(10000), kToSecondTier), kSell),
                 kStartMoney - 70 - 60 - 90 + 80, 0},
        FlowCase{"BuysASpotAndBuildsOnIt",
                 {{Do::kClickSpot, 1}, {Do::kSettle}, {Do::kChoose, 1}, {Do::kExpectSpotBought, 1}, {Do::kSettle},
                  {Do::kClickSpot, 1}, {Do::kSettle}, {Do::kExpectMenuOn, 1}, {Do::kChoose, 40000}},
                 kStartMoney - 40 - 60, 0},
        // The hint stands for the first five seconds: pressed after 1.3,
        // 3.7 are saved and 7 coins paid.
        FlowCase{"CallsTheNextWaveEarlyForTwoCoinsASecondSaved", {{Do::kCallWave, 78}}, kStartMoney + 7, 0},
        FlowCase{"PressingWhereNothingIsClosesTheMenu",
                 {{Do::kClickSpot, 0}, {Do::kSettle}, {Do::kClickNowhere}, {Do::kExpectMenuClosing}, {Do::kSettle},
                  {Do::kExpectNoMenu}},
                 kStartMoney, 0},
        FlowCase{"PressingTheOpeningMenuClosesIt",
                 {{Do::kClickSpot, 0}, {Do::kClickSpot, 0}, {Do::kExpectMenuClosing}}, kStartMoney, 0},
        FlowCase{"ReleasingOnTheSameSpotClosesTheMenu",
                 {{Do::kClickSpot, 0}, {Do::kSettle}, {Do::kReleaseOnSpot, 0}, {Do::kExpectMenuClosing}}, kStartMoney,
                 0},
        FlowCase{"ReleasingOnAnotherSpotOnlyRemovesTheMenu",
                 {{Do::kClickSpot, 0}, {Do::kSettle}, {Do::kReleaseOnSpot, 2}, {Do::kExpectNoMenu},
                  {Do::kReleaseOnSpot, 2}, {Do::kExpectMenuOn, 2}},
                 kStartMoney, 0},
        FlowCase{"ReleasingOnASpotRemovesATowersMenu",
                 Then(BuildOnFirstSpot(10000),
                      {{Do::kClickSpot, 0}, {Do::kSettle}, {Do::kReleaseOnSpot, 2}, {Do::kExpectNoMenu}}),
                 kStartMoney - 70, 10000},
        FlowCase{"OpensOnlyTheSpotTheTutorialPointsAt",
                 {{Do::kTutorialSpot, 2}, {Do::kClickSpot, 0}, {Do::kSettle}, {Do::kExpectNoMenu},
                  {Do::kClickSpot, 2}, {Do::kExpectMenuOn, 2}},
                 kStartMoney, 0},
        FlowCase{"PicksUpAGemLyingOnTheMap", {{Do::kPickUpGem}, {Do::kExpectNoMenu}}, kStartMoney, 0, 1}),
    testing_support::RowName());

TEST_F(MapPressTest, ADoubleClickOnABuildItemBuildsOnceAndChargesOnce) {
  Click(SpotPoint(0));
  Settle();
  const Point item = ItemPoint(20000);
  Post(item, true);
  Post(item, false);
  Post(item, true, 2);
  Post(item, false, 2);
  Deliver(4);
  Settle();
  EXPECT_EQ(map().towers.size(), 1u);
  EXPECT_EQ(TowerIdOn(0), 20000);
  EXPECT_EQ(map().wallet->money, kStartMoney - 90);
}

TEST_F(MapPressTest, ABuildTheWalletCannotPayLeavesTheMenuOpenForAnotherChoice) {
  map().wallet->money = 69;
  Click(SpotPoint(0));
  Settle();
  Click(ItemPoint(10000));
  EXPECT_TRUE(map().towers.empty());
  EXPECT_EQ(map().wallet->money, 69);
  EXPECT_TRUE(MenuShownOn(0));

  Click(ItemPoint(40000));
  EXPECT_EQ(TowerIdOn(0), 40000);
  EXPECT_EQ(map().wallet->money, 9);
  EXPECT_TRUE(MenuClosing());
}

// With level-ups on offer the tower takes them first, then a tier; a tier
// the wallet cannot pay leaves the level-ups bought, and the tier paid for
// starts the level-ups again.
TEST_F(MapPressTest, LevelUpsComeBeforeTiersAndAnUnpaidTierKeepsThem) {
  for (const auto& proto : map().protos->protos()) {
    if (proto->id != 10000) continue;
    proto->tierUpdates = 1;
    proto->tierCost = 25.0f;
  }
  const auto openTowerMenu = [this] {
    Click(SpotPoint(0));
    Settle();
    ASSERT_TRUE(menu());
  };
  Click(SpotPoint(0));
  Settle();
  Click(ItemPoint(10000));
  Settle();
  ASSERT_NO_FATAL_FAILURE(openTowerMenu());
  ASSERT_EQ(menu()->kind, KpTowerMenu::kLevelUp);
  Click(ItemPoint(1));
  Settle();
  KpTower& tower = *level().towerOn(0);
  EXPECT_EQ(tower.level, 1);
  EXPECT_EQ(map().wallet->money, kStartMoney - 70 - 25);

  map().wallet->money = 59;
  ASSERT_NO_FATAL_FAILURE(openTowerMenu());
  ASSERT_EQ(menu()->kind, KpTowerMenu::kTower);
  Click(ItemPoint(1));
  Settle();
  EXPECT_EQ(TowerIdOn(0), 10000);
  EXPECT_EQ(tower.level, 1) << "the level-up stays bought";
  EXPECT_EQ(map().wallet->money, 59);

  map().wallet->money = 60;
  ASSERT_NO_FATAL_FAILURE(openTowerMenu());
  Click(ItemPoint(1));
  EXPECT_EQ(TowerIdOn(0), 10001);
  EXPECT_EQ(tower.level, 0);
  EXPECT_EQ(map().wallet->money, 0);
}

TEST_F(MapPressTest, ASpotTheWalletCannotPayStaysForSaleAndTheMenuCloses) {
  map().wallet->money = 39;
  Click(SpotPoint(1));
  Settle();
  Click(ItemPoint(1));
  EXPECT_FALSE(SpotEntry(1).spot->open);
  EXPECT_EQ(map().wallet->money, 39);
  EXPECT_TRUE(MenuClosing());
}

// What lies off the design area is not the map's: a press or release there,
// on the side strips of a wide window or beyond the window's edges, neither
// opens nor closes a menu, though the spot in the corner is within reach.
TEST_F(MapPressTest, PressesOffTheDesignAreaReachNothing) {
  const Point corner = SpotPoint(3);
  const std::vector<Point> outside = {{corner.x - 30.0f, corner.y}, {-1.0f, 10.0f}, {500.0f, -2.0f},
                                      {500.0f, 769.0f}, {1030.0f, 300.0f}};
  for (const Point& point : outside) {
    SCOPED_TRACE(std::to_string(point.x) + "," + std::to_string(point.y));
    Click(point);
    EXPECT_TRUE(NoMenu());
  }
  Click(SpotPoint(0));
  Settle();
  for (const Point& point : outside) {
    SCOPED_TRACE(std::to_string(point.x) + "," + std::to_string(point.y));
    Click(point);
    EXPECT_TRUE(MenuShownOn(0));
  }
  // The right button neither presses a menu item.
  const Point item = ItemPoint(10000);
  Post(item, true, 1, false);
  Deliver(1);
  EXPECT_TRUE(MenuShownOn(0));
  EXPECT_TRUE(map().towers.empty());
  EXPECT_EQ(map().wallet->money, kStartMoney);
}

struct LoadingCase {
  const char* name;
  void (*start)(KpMap& map);
};

class MapPressWhileLoading : public MapPressTest, public ::testing::WithParamInterface<LoadingCase> {};

TEST_P(MapPressWhileLoading, ChangesNothing) {
  Click(SpotPoint(0));
  Settle();
  const Point item = ItemPoint(10000);
  const Point hint = HintPoint();
  GetParam().start(map());
  for (const Point& point : {hint, item, SpotPoint(0), SpotPoint(2)}) Click(point);
  EXPECT_TRUE(map().towers.empty());
  EXPECT_EQ(map().wallet->money, kStartMoney);
  EXPECT_FALSE(map().waveHints->empty());
}

INSTANTIATE_TEST_SUITE_P(
    Loading, MapPressWhileLoading,
    ::testing::Values(LoadingCase{"TheLoadingScreenShows", [](KpMap& map) { map.loadingPhase = 1; }},
                      LoadingCase{"TheNextUpdateLoads", [](KpMap& map) { map.loadingPhase = 2; }},
                      LoadingCase{"TheResourcesAreNotLoaded", [](KpMap& map) { map.resourcesLoaded = false; }}),
    testing_support::RowName());

TEST_F(MapPressTest, ALevelThatFailedToLoadTakesNoPress) {
  ASSERT_FALSE(level().loadLevelText("not a level"));
  for (const Point& point : {Point{300.0f, 330.0f}, Point{24.0f, 260.0f}, Point{kNowhereX, kNowhereY}}) Click(point);
  EXPECT_TRUE(NoMenu());
  EXPECT_TRUE(map().towers.empty());
}

// However many presses one frame brings, the first build closes the menu and
// the rest find no open item: one tower, one payment.
TEST_F(MapPressTest, AThousandPressesInOneFrameBuildOnceAndPayOnce) {
  Click(SpotPoint(0));
  Settle();
  GameWindow& window = *game().gameWindow();
  const Point item = ItemPoint(30000);
  const Point hint = HintPoint();
  for (int i = 0; i < 1000; ++i) {
    for (const Point& point : {item, hint, SpotPoint(0), SpotPoint(1)}) {
      window.OnWidgetMouseDown({point.x, point.y, 0.0f}, 1);
      window.OnWidgetMouseUp({point.x, point.y, 0.0f}, 1);
    }
  }
  Deliver(1);
  EXPECT_EQ(map().towers.size(), 1u);
  EXPECT_EQ(TowerIdOn(0), 30000);
  const int reward = map().wallet->money - (kStartMoney - 110);
  EXPECT_GT(reward, 0) << "the hint pays once";
  EXPECT_LE(reward, 10);
  EXPECT_FALSE(SpotEntry(1).spot->open);
  Settle();
  EXPECT_EQ(map().towers.size(), 1u);
}

}  // namespace
