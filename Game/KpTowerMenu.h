#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Core/Base/NoCopy.h"
#include "Game/KpTowerMenuLayout.h"

namespace render {
class Graphics;
class Image;
}  // namespace render

class AttributedString;
class KpFrameEntry;
class KpMap;
class KpProto;
class KpTower;

// One choice of the radial tower menu: a tower to build, the spot to buy,
// selling, a level-up or a tier to upgrade to.
class KpMenuItem : base::NoCopy {
 public:
  KpMenuItem();
  ~KpMenuItem();

  // The picture of the item's prototype; not owned, null for none.
  render::Image* icon = nullptr;
  // "ui/context_money" and "ui/context_gem" of "kp/ui", drawn for '$' and
  // '#' in the price.
  render::Image* moneyIcon = nullptr;
  render::Image* gemIcon = nullptr;
  std::unique_ptr<AttributedString> priceRichText;
  // The buy-spot item's price, such as "$120; #2"; empty for every other.
  std::string priceText;
  // Degrees: 0 points down, 90 right, 180 up, 270 left.
  float angle = 0.0f;
  // What the item stands for: a prototype id (build), 1 (buy, level-up), 0
  // (sell) or a tier's level id (upgrade).
  int id = 0;
  // Its place among the menu's items, from 1; 0 for selling.
  int slot = 0;
  float price = 0.0f;
  // A copy of the prototype the item offers, with the bought upgrades
  // applied: a reload of the sheets never pulls it away under the menu.
  std::unique_ptr<KpProto> proto;
};

// The ring of choices that opens around a build spot or a tower. The map
// holds at most one; it opens and closes over 0.2 s each, answers presses
// only while open, and the map's drawing deletes it once it has closed.
class KpTowerMenu : base::NoCopy {
 public:
  enum Kind { kTower = 0, kBuild = 1, kBuySpot = 2, kLevelUp = 3 };
  enum Phase { kOpening = 0, kOpen = 2, kClosing = 3 };
  static constexpr float kPhaseSeconds = 0.2f;
  static constexpr float kRadius = 80.0f;
  static constexpr float kItemHitRadius = 32.0f;
  // The id of the item that sells the menu's tower.
  static constexpr int kSellId = 0;

  // Plays "context_in"; the opener fills the menu.
  KpTowerMenu();
  ~KpTowerMenu();

  // The top-level towers unlocked for the level, each with its upgraded
  // price, on the upper half of the ring.
  void openBuildMenu(int spotIndex, KpFrameEntry* spotImage);
  // The one item that buys the spot, priced in money and gems.
  void openBuySpotMenu(KpFrameEntry* spotImage);
  // Selling, and the level-up or the tiers the tower may reach, each tier
  // priced with the tiers between. A gold tower pays its income as it earns
  // it, so there is never gathered gold to pay out here.
  void openTowerMenu(KpTower* tower);

  KpMenuItem* addItem(int slot, int id);
  // The id of the item within kItemHitRadius of the map point, -1 for none;
  // only an open menu answers.
  int itemAt(int x, int y);
  float priceOf(int id) const;
  // Starts the closing animation once.
  void close();
  // The phases advance on the unscaled frame time.
  void update(float dt);

  // The range preview, the tower, and each item with its ability marks and
  // price; a menu without items marks itself closed instead.
  void draw(render::Graphics& graphics);
  // The reach of the tower or the hovered choice around the spot.
  void drawRangePreview(render::Graphics& graphics);

  // A centre this near a screen edge turns the ring into a half circle
  // facing away from it, 1.3 times as wide.
  bool nearEdge() const;
  float edgeFactor() const;
  // How far the ring has opened, 0 to 1: the items' distance and alpha.
  float openScale() const;
  // Gives every item its angle on the arc; near an edge also sets the arc.
  void layOutItems();
  // Where the item's icon stands now, and its price label.
  MenuPoint itemPlace(const KpMenuItem& item) const;
  MenuPoint labelPlace(const KpMenuItem& item) const;
  // The price the item shows for that money and those gems; none for the
  // sell item.
  std::optional<MenuPriceLabel> priceLabel(const KpMenuItem& item, int money, int gems) const;

  std::vector<std::unique_ptr<KpMenuItem>> items;
  int phase = kOpening;
  float phaseTime = 0.0f;
  bool edgeLayoutDone = false;
  int kind = kBuild;
  // The item under the pointer, -1 for none.
  int hoverId = -1;
  // The item the last hit test found; not owned.
  KpMenuItem* hoverItem = nullptr;
  // Not owned.
  KpTower* tower = nullptr;
  KpFrameEntry* spotEntry = nullptr;
  float arcStart = 0.0f;
  float arcEnd = 360.0f;
  float radius = kRadius;
  float centreX = 0.0f;
  float centreY = 0.0f;
  // Cleared once the closing animation has ended; the map then deletes it.
  bool isOpen = true;
};
