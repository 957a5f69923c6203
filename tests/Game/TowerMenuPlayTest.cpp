// The tower menu in a running level on the campaign's data: what its openers
// offer at which prices, and how the map's update, level loads and selling
// end it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/RenderTarget.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpWallet.h"
#include "Game/PlayerProfile.h"
#include "Game/SpriteDef.h"
#include "Platform/GraphicsDevice.h"
#include "tests/Support/SavePng.h"
#include "tests/Support/WorldScenario.h"

namespace {

using testing_support::WorldScenario;

constexpr const char* kTwoSpotLevel = R"(<map><li>kp/data/maps/e1_l1/background.png</li><budget>2000</budget>
<points><point id="1" x="-40" y="240"><p name="spawn" value="1"/></point>
<point id="2" x="1064" y="240"><p name="goal" value="1"/></point></points>
<links><link sid="1" eid="2" anchor_x="500" anchor_y="240"/></links>
<spots><spot x="300" y="330"/><spot x="600" y="330"/></spots>
<waves><wave timeout="500" spawn="1"><e id="1" upgrade="1" x="0" y="0"/></wave></waves></map>)";
// The fifth level of the first episode opens the four basic towers, their
// first two tiers, and the first branch of the first two lines.
constexpr int kFifthLevel = 4;
constexpr int kLanternUpgrade = 4;

struct Offer {
  int slot;
  int id;
  float price;
};

std::vector<Offer> Offers(const KpTowerMenu& menu) {
  std::vector<Offer> offers;
  for (const auto& item : menu.items) offers.push_back({item->slot, item->id, item->price});
  return offers;
}

void ExpectOffers(const KpTowerMenu& menu, const std::vector<Offer>& expected) {
  const std::vector<Offer> offers = Offers(menu);
  ASSERT_EQ(offers.size(), expected.size());
  for (std::size_t i = 0; i < offers.size(); ++i) {
    EXPECT_EQ(offers[i].slot, expected[i].slot) << i;
    EXPECT_EQ(offers[i].id, expected[i].id) << i;
    EXPECT_EQ(offers[i].price, expected[i].price) << i;
  }
}

constexpr int kPictureWidth = 1024;
constexpr int kPictureHeight = 768;
using Picture = std::vector<std::uint32_t>;

// The strongest alpha within 12 units of the point.
std::uint32_t AlphaAround(const Picture& picture, MenuPoint at) {
  constexpr int kReach = 12;
  std::uint32_t most = 0;
  const int x = static_cast<int>(at.x), y = static_cast<int>(at.y);
  for (int py = std::max(0, y - kReach); py <= std::min(kPictureHeight - 1, y + kReach); ++py)
    for (int px = std::max(0, x - kReach); px <= std::min(kPictureWidth - 1, x + kReach); ++px)
      most = std::max(most, picture[static_cast<std::size_t>(py * kPictureWidth + px)] >> 24);
  return most;
}

class TowerMenuPlayTest : public WorldScenario {
 protected:
  // The menu drawn alone on a transparent picture.
  Picture drawn(KpTowerMenu& menu) {
    auto& render = static_cast<render::RenderDX9&>(*game().GetRender());
    std::unique_ptr<render::RenderTarget> target;
    EXPECT_EQ(render.CreateRenderTarget(kPictureWidth, kPictureHeight, &target, true), QL_OK);
    if (!target) return {};
    {
      render::Graphics graphics(*target);
      const float transparent[4] = {0.0f, 0.0f, 0.0f, 0.0f};
      graphics.Clear(render::kClearColor, transparent, 1.0f, 0);
      menu.draw(graphics);
    }
    auto& device = *render.GetDevice();
    EXPECT_EQ(device.SetRenderTarget(target->GetTexture()->GetDeviceTexture()), platform::DeviceResult::kOk);
    Picture pixels = device.ReadPixels({0, 0, kPictureWidth, kPictureHeight});
    EXPECT_EQ(device.SetRenderTarget(nullptr), platform::DeviceResult::kOk);
    if (const char* keep = std::getenv("LF_MENU_PICTURE"))
      testing_support::SavePng(keep, pixels, kPictureWidth, kPictureHeight);
    return pixels;
  }

  KpMap& map() { return level().map(); }
  KpFrameEntry* spot(int index) { return map().mapImages->spotFrames()[static_cast<std::size_t>(index)]; }

  KpTowerMenu& openOn(KpTower& tower) {
    map().towerMenu = std::make_unique<KpTowerMenu>();
    map().towerMenu->openTowerMenu(&tower);
    return *map().towerMenu;
  }
};

// Each top-level tower the level opens, in the library's order, priced and
// kept as a copy with the bought upgrades.
TEST_F(TowerMenuPlayTest, BuildMenuOffersTheLevelsTowersAtUpgradedPrices) {
  ASSERT_TRUE(level().loadLevelText(kTwoSpotLevel, 0, kFifthLevel));
  map().profile->setUpgradeLevel(kLanternUpgrade, 0);
  KpTowerMenu menu;
  menu.openBuildMenu(0, spot(0));
  EXPECT_EQ(menu.kind, KpTowerMenu::kBuild);
  EXPECT_EQ(menu.spotEntry, spot(0));
  EXPECT_EQ(menu.arcStart, 90.0f);
  EXPECT_EQ(menu.arcEnd, 270.0f);
  EXPECT_EQ(menu.radius, 80.0f);
  // The library holds a sheet's rows last first.
  ExpectOffers(menu, {{1, 40000, 54}, {2, 30000, 110}, {3, 20000, 90}, {4, 10000, 70}});
  for (const auto& item : menu.items) {
    const KpProto* library = map().protos->find(item->id);
    ASSERT_NE(item->proto, nullptr);
    EXPECT_NE(item->proto.get(), library) << "an item owns its copy";
    EXPECT_EQ(item->proto->id, item->id);
    ASSERT_NE(library->sprite, nullptr);
    EXPECT_EQ(item->icon, library->sprite->image());
  }
  EXPECT_EQ(map().protos->find(40000)->cost, 60.0f) << "the library keeps its price";
}

// Tiers at or past the tower's own, each later one with the tiers between;
// a tier that is not open yet is not offered.
TEST_F(TowerMenuPlayTest, TowerMenuOffersTheFollowingTiersAtChainPrices) {
  ASSERT_TRUE(level().loadLevelText(kTwoSpotLevel, 0, kFifthLevel));
  KpTower* tower = level().build(0, 10000);
  ASSERT_NE(tower, nullptr);
  KpTowerMenu& base = openOn(*tower);
  EXPECT_EQ(base.kind, KpTowerMenu::kTower);
  EXPECT_EQ(base.tower, tower);
  EXPECT_EQ(base.spotEntry, spot(0));
  EXPECT_EQ(base.arcEnd, 360.0f);
  // Sell; 10001 (require 0); 10002 after 10001; 10100 after both. 10200
  // opens in the second episode.
  ExpectOffers(base, {{0, 0, 0}, {1, 1, 60}, {2, 2, 60 + 90}, {3, 3, 60 + 90 + 150}});
  EXPECT_EQ(base.items[3]->proto->id, 10100);

  ASSERT_TRUE(level().upgrade(0, 10001));
  ExpectOffers(openOn(*tower), {{0, 0, 0}, {1, 2, 90}, {2, 3, 90 + 150}});
  ASSERT_TRUE(level().upgrade(0, 10100));
  EXPECT_EQ(level().upgradePrice(0, 10002), 0.0f) << "no way back";
  ExpectOffers(openOn(*tower), {{0, 0, 0}});
}

// A tower that may still level up offers only that, with its own copy of
// the base prototype.
TEST_F(TowerMenuPlayTest, ATowerBelowItsLevelCapOffersTheLevelUp) {
  ASSERT_TRUE(level().loadLevelText(kTwoSpotLevel, 0, kFifthLevel));
  KpTower* tower = level().build(0, 10000);
  ASSERT_NE(tower, nullptr);
  auto base = std::make_unique<KpProto>();
  base->copyFrom(*tower->prototype);
  base->tierUpdates = 2;
  base->tierCost = 35;
  tower->prototype = base.get();
  KpTowerMenu& menu = openOn(*tower);
  EXPECT_EQ(menu.kind, KpTowerMenu::kLevelUp);
  ExpectOffers(menu, {{0, 0, 0}, {1, 1, 0}});
  ASSERT_NE(menu.items[1]->proto, nullptr);
  EXPECT_NE(menu.items[1]->proto.get(), base.get());
  EXPECT_EQ(menu.priceLabel(*menu.items[1], 34, 0)->text, u"$35");
  map().towerMenu.reset();
  tower->prototype = map().protos->find(10000);
}

// The run's upgrade command pays like the menu: a tier the wallet cannot pay
// leaves the tower's level-ups as they were.
TEST_F(TowerMenuPlayTest, AnUnpaidUpgradeCommandKeepsTheTowersLevelUps) {
  ASSERT_TRUE(level().loadLevelText(kTwoSpotLevel, 0, kFifthLevel));
  KpTower* tower = level().build(0, 10000);
  ASSERT_NE(tower, nullptr);
  auto base = std::make_unique<KpProto>();
  base->copyFrom(*tower->prototype);
  base->tierUpdates = 1;
  tower->prototype = base.get();
  tower->level = 1;
  map().wallet->money = 0;
  EXPECT_FALSE(level().upgrade(0, 10001));
  EXPECT_EQ(tower->tier, 0);
  EXPECT_EQ(tower->level, 1);
  tower->prototype = map().protos->find(10000);
}

// The menu runs on the unscaled frame time, so it opens and closes while the
// game is paused; leaving play or loading a level removes it.
TEST_F(TowerMenuPlayTest, TheMapAnimatesTheMenuWhilePausedAndDropsItOutsidePlay) {
  ASSERT_TRUE(level().loadLevelText(kTwoSpotLevel));
  map().gameSpeed = 0.0f;
  map().towerMenu = std::make_unique<KpTowerMenu>();
  map().towerMenu->openBuildMenu(0, spot(0));
  level().step(0.1f);
  EXPECT_EQ(map().towerMenu->phase, KpTowerMenu::kOpening);
  level().step(0.15f);
  EXPECT_EQ(map().towerMenu->phase, KpTowerMenu::kOpen);
  map().towerMenu->close();
  level().step(0.25f);
  ASSERT_NE(map().towerMenu, nullptr) << "the drawing deletes a closed menu";
  EXPECT_FALSE(map().towerMenu->isOpen);

  map().screenState = kScreenPauseMenu;
  level().frame();
  EXPECT_EQ(map().towerMenu, nullptr);

  map().screenState = kScreenPlay;
  map().towerMenu = std::make_unique<KpTowerMenu>();
  ASSERT_TRUE(level().loadLevelText(kTwoSpotLevel));
  EXPECT_EQ(map().towerMenu, nullptr);
}

// Selling the tower under its menu closes the menu, which then never reaches
// the tower again, not even to draw it.
TEST_F(TowerMenuPlayTest, SellingTheTowerClosesItsMenuAndTheMenuForgetsIt) {
  ASSERT_TRUE(level().loadLevelText(kTwoSpotLevel));
  KpTower* tower = level().build(0, 10000);
  KpTower* other = level().build(1, 10000);
  ASSERT_NE(tower, nullptr);
  ASSERT_NE(other, nullptr);
  openOn(*tower);
  level().step(0.25f);
  ASSERT_TRUE(level().sell(1));
  EXPECT_EQ(map().towerMenu->phase, KpTowerMenu::kOpen) << "another tower's sale leaves it";
  ASSERT_TRUE(level().sell(0));
  EXPECT_EQ(map().towerMenu->phase, KpTowerMenu::kClosing);
  EXPECT_EQ(map().towerMenu->tower, nullptr);
  render::Graphics graphics(*game().GetRender());
  map().towerMenu->draw(graphics);
  level().step(0.25f);
  EXPECT_FALSE(map().towerMenu->isOpen);
}

// A menu left without items shows nothing and marks itself closed at its
// first draw; a closed menu draws nothing at all.
TEST_F(TowerMenuPlayTest, AMenuWithoutItemsClosesAtItsFirstDraw) {
  ASSERT_TRUE(level().loadLevelText(kTwoSpotLevel));
  render::Graphics graphics(*game().GetRender());
  KpTowerMenu empty;
  empty.draw(graphics);
  EXPECT_FALSE(empty.isOpen);

  KpTowerMenu build;
  build.openBuildMenu(0, spot(0));
  build.centreX = 500;
  build.centreY = 700;
  build.isOpen = false;
  build.draw(graphics);
  EXPECT_FALSE(build.edgeLayoutDone) << "a closed menu is not laid out";
  build.isOpen = true;
  build.hoverId = 10000;
  build.draw(graphics);
  EXPECT_TRUE(build.edgeLayoutDone);
  EXPECT_TRUE(build.isOpen);
}

// The icons stand on the ring, the prices above them, and nothing is drawn
// at the menu's centre or the map's origin.
TEST_F(TowerMenuPlayTest, DrawsEachChoiceWhereItIsLaidOut) {
  ASSERT_TRUE(level().loadLevelText(kTwoSpotLevel, 0, kFifthLevel));
  KpTowerMenu menu;
  menu.openBuildMenu(0, spot(0));
  menu.centreX = 500;
  menu.centreY = 400;
  menu.phase = KpTowerMenu::kOpen;
  const Picture picture = drawn(menu);
  ASSERT_EQ(picture.size(), static_cast<std::size_t>(kPictureWidth * kPictureHeight));
  ASSERT_EQ(menu.items.size(), 4u);
  for (const auto& item : menu.items) {
    EXPECT_GT(AlphaAround(picture, menu.itemPlace(*item)), 200u) << "icon of " << item->id;
    EXPECT_GT(AlphaAround(picture, menu.labelPlace(*item)), 200u) << "price of " << item->id;
  }
  EXPECT_EQ(AlphaAround(picture, {500, 400}), 0u) << "the centre";
  EXPECT_EQ(AlphaAround(picture, {12, 12}), 0u) << "the origin";
}

// A tower's menu shows its reach around the spot, a ring of half its range,
// and the tower itself above the preview.
TEST_F(TowerMenuPlayTest, ATowersMenuShowsItsReachAroundTheSpot) {
  ASSERT_TRUE(level().loadLevelText(kTwoSpotLevel, 0, kFifthLevel));
  KpTower* tower = level().build(0, 10000);
  ASSERT_NE(tower, nullptr);
  level().step(1.0f);
  ASSERT_EQ(tower->fade, 1.0f) << "a new tower fades in";
  KpTowerMenu menu;
  menu.openTowerMenu(tower);
  menu.centreX = tower->x;
  menu.centreY = tower->y;
  menu.phase = KpTowerMenu::kOpen;
  menu.phaseTime = 0.5f;
  const Picture picture = drawn(menu);
  ASSERT_EQ(picture.size(), static_cast<std::size_t>(kPictureWidth * kPictureHeight));
  const float reach = tower->getTierProto()->range * 0.5f;
  EXPECT_GT(AlphaAround(picture, {tower->x + reach, tower->y}), 200u) << "the ring";
  EXPECT_GT(AlphaAround(picture, {tower->x, tower->y - 20}), 200u) << "the tower";
}

}  // namespace
