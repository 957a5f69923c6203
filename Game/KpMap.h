#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/NoCopy.h"
#include "Core/Base/WString.h"
#include "Core/Resource/ResourceHandle.h"
#include "Game/CurveGeometry.h"
#include "Game/KpSetupTable.h"
#include "Game/KpSpot.h"
#include "Game/KpWallet.h"
#include "Game/PlayerPosition.h"
#include "Game/ProfileOwner.h"
#include "Game/RouteMap.h"
#include "Game/RoutePoint.h"
#include "Game/ScreenState.h"

namespace render {
class BMFont;
class Font;
class Graphics;
class Image;
class ParticleEmitter;
class RenderTarget;
}  // namespace render

class KpBulletList;
class KpEnemy;
class KpFrameEntry;
class KpMapEffect;
class KpMapImages;
class KpModifier;
class KpParticle;
class KpPopupList;
class KpProto;
class KpTower;
class KpTowerMenu;
class KpWaveEntry;
class KpWaveHints;
class KpProtoLibrary;
class KpRouteBuilder;
class KpSprite;
class KpUnlockTable;
class KpWaves;
class ParticleEffect;
class PlayerProfile;
class SpellTable;
class SpriteAnimState;
class UpgradeList;
struct TPurchaseResult;

// The map controller: the game's central object, made once by the root
// window. It holds the current level, the player's profile and the tables
// read at start, the screen state that the screens set and the input acts
// on, and what the map is drawn with. Game code reaches it through
// Game::getMap, which is valid only once this constructor has returned.
class KpMap : public ProfileOwner, public PlayerPosition, public WalletListener, base::NoCopy {
 public:
  KpMap();
  ~KpMap() override;

  // Once per frame with the unscaled step; the map applies the game speed.
  void update(float dt);

  // During a level, leaving the window pauses the game.
  void pauseIfPlaying();
  // Stops the game clock on the pause menu's screen.
  void openPauseMenu();

  // Plays the level of episodeIndex and levelIndex in the difficulty mode
  // from its start.
  void loadLevel();
  // Plays the level of levelPath again from its start: the play state, the
  // sheets, the level file, its routes and the episode's music.
  void restart();
  // Reads the level file at path into the map. A level that cannot be read
  // leaves the map empty, not playing, with levelLoadError telling why.
  void parseLevel(const base::WString& path);
  // The sprite sheets and the interface pictures; once, at construction.
  void loadResources();
  void loadUiIcons();
  // Stamps the level's roads once into bakedBackground.
  void bakeBackground();
  // One frame of the map: the level's scene on the screens over a running
  // level, then on every screen the popups, sprites, particles, the tower
  // menu and the debug views. Nothing before the resources are loaded.
  void draw(render::Graphics& graphics);

  // The player's hand on the map, in design coordinates: a press of the
  // left button, its release and the pointer moving. Nothing happens while
  // the resources or a level load.
  void onPress(int x, int y);
  void onClick(int x, int y);
  void onMove(int x, int y);
  // The first tower standing within 50 of the map point; null for none.
  KpTower* towerAt(int x, int y) const;

  // The world's events: a wave's unit appears, a carrier's passengers
  // leave it, a unit reaches the base or leaves the map, the level ends.
  KpEnemy* spawnUnit(KpWaveEntry* entry, const KpPoint* spawnPoint);
  void spawnSummoned(KpEnemy& carrier, int count);
  void onUnitReachedBase(KpEnemy* unit);
  void onUnitRemoved(KpEnemy* unit);
  void levelWon();
  void levelLost();
  // Life ran out and the player may buy it back: the game waits on the offer.
  void offerHealth();
  // Credits what the store sold: gem packs and the health of the offer; a
  // failed health purchase makes the offer again. The game stays paused.
  void onPurchaseResult(TPurchaseResult& result);
  void subscribeToPurchases();
  void unsubscribeFromPurchases();
  // Added to 1 and multiplied into the enemies' health by the mode.
  float getDifficultyHealthFactor() const;
  // A blocking or weakening unit stands near the tower.
  bool isTowerDisabled(const KpTower& tower) const;
  bool isTowerDebuffed(const KpTower& tower) const;
  // The tower commands; a build that cannot be paid returns null.
  KpTower* buildTower(const KpProto& prototype, KpFrameEntry* spotImage);
  // A copy of the library's prototype of that id with the player's bought
  // upgrades applied, for prices, menus and running towers; null when there
  // is none or before the tables are read.
  std::unique_ptr<KpProto> upgradedProto(int id) const;
  void sellTower(KpTower* tower);
  // A tower on the spot, paid or not by the caller; the spot hides under it.
  KpTower* placeTower(const KpProto& prototype, KpFrameEntry& spotImage);
  // The towers the level file puts on its spots ("tower_id"), free.
  void placeLevelTowers();
  // The level's ambient effects.
  void updateMapEffects(float dt);
  // The beams and other grouped emitters of the frame; a tower whose beam
  // goes forgets it.
  void updateParticles(float dt);
  // Gives back every gem spent on upgrades.
  void resetPremiumPoints();
  // The waves' schedule as text, for the debug view.
  void drawWaveSchedule(render::Graphics& graphics);
  // The buy-spot command: pays the spot's money and gems, opens it and
  // keeps it bought in the profile. False, and nothing paid, when the money
  // or the gems are short.
  bool buySpot(KpFrameEntry* spotImage);

  // Reads the prototype and setup sheets again; rows of the setup sheet are
  // added or replaced, never removed.
  void loadSheets();

  // The setup sheet's episodes; -1 for an episode without a row.
  int getEpisodeCount() override { return setupTable.getEpisodeCount(); }
  int getLevelCount(int episode) override { return setupTable.getLevelCount(episode); }
  int getHardcoreLevelCount(int episode) override { return setupTable.getHardcoreLevelCount(episode); }
  int getStarsToUnlock(int episode) const { return setupTable.getStarsToUnlock(episode); }
  int getTotalLevelCount() const { return setupTable.getTotalLevelCount(); }
  // The episode has normal levels and the player has its stars.
  bool isEpisodeUnlocked(int episode) override;

  // The level's routes and their geometry.
  const KpPoint* findPoint(int id) const { return routeMap.findPoint(id); }
  const KpPoint* findGoalPoint() const { return routeMap.findGoalPoint(); }
  const KpPoint* findSpawnPoint() const { return routeMap.findSpawnPoint(); }
  const KpLink* findLink(const KpPoint& a, const KpPoint& b) const { return routeMap.findLink(a, b); }
  std::vector<int> findPath(const KpPoint& start, const KpPoint& goal) const;
  float linkLength(const KpLink* link) const { return routeMap.linkLength(link); }
  float pointOnLink(const KpLink& link, float t, float distance, float offset) const;
  // t moved on by the distance along the lane route.
  float advanceOnRoute(const LaneRoute& route, float t, float distance) const;
  CurvePoint routePointAt(const LaneRoute& route, float t) const;

  // What the player profile asks of the game.
  int getDifficultyMode() override { return difficultyMode; }
  void setDifficultyMode(int mode) override { difficultyMode = mode; }
  void setWalletGems(int gems) override;
  std::vector<int> getUpgradeIds() override;
  bool isWindowed() override;
  void switchScreenMode() override;
  void loadTutorialState() override;

  // Where the player stands, for the tower unlocks.
  LevelPlace getCurrentLevel() override { return {episodeIndex, levelIndex}; }
  LevelPlace getFurthestProgress() override;

  // What the wallet reports.
  void onMoneyChanged(int displayedMoney) override;
  void onGemsChanged(int gems) override;

  // Seconds of game time: every update adds the step times the game speed.
  float gameTime = 0.0f;
  // The level's road decals drawn once into an image of their own; held as
  // the target it is, since an image is not deleted through its base.
  std::unique_ptr<render::RenderTarget> bakedBackground;
  // The road-decal brush of the layout "kp/ui"; not owned.
  render::Image* brushImage = nullptr;
  std::unique_ptr<KpRouteBuilder> routeBuilder;
  // The application's content rectangle at the last bake: x, y, width,
  // height; the screens add x and y to their positions.
  std::array<float, 4> bakedViewRect{};
  KpSetupTable setupTable;
  base::WString language = u"en";
  // Screen point = map point x scale + offset.
  float mapScale = 1.0f;
  float mapOffsetX = 0.0f;
  float mapOffsetY = 0.0f;
  // Update and draw do nothing until the level resources are loaded.
  bool resourcesLoaded = false;
  // The text typed into the profile-name dialog.
  base::WString profileNameInput;
  // Where a modal message returns to when it closes.
  int savedScreenState = kScreenNone;
  int levelResultCode = kLevelResultNone;
  // The build spot the tutorial allows; -1 for any.
  int tutorialSpot = -1;
  bool debugKeysEnabled = false;
  // 0 easy, 1 normal, 2 hard, 3 hardcore.
  int difficultyMode = 0;
  float dropChanceOverride = 0.0f;
  // The last update's step before the game speed applies.
  float rawFrameTime = 0.0f;
  // 0 paused, 1 normal, 2 fast.
  float gameSpeed = 1.0f;
  // Where the profile-name dialog returns: "mmenu", "shop" or the profiles.
  base::WString nameReturnMarker;
  // The upgrades of "kp/upgrades.xml".
  std::unique_ptr<UpgradeList> upgrades;
  int screenState = kScreenNone;
  int levelIndex = 0;
  int episodeIndex = 0;
  std::unique_ptr<KpUnlockTable> unlockTable;
  std::unique_ptr<PlayerProfile> profile;
  bool debugShowWaves = false;
  bool debugShowAreas = false;
  // The map-wide upgrades: the share added to kill rewards and to the
  // level's budget, and the life added to the start.
  float killRewardBonus = 0.0f;
  float startBudgetBonus = 0.0f;
  int lifeBonus = 0;
  // Share of a tower's price refunded when it is sold.
  float sellFactor = 0.5f;
  // The level's starting money.
  int budget = 0;
  // Gems of a new profile.
  int startGems = 0;
  // Gems lying on the map; a click picks one up.
  std::vector<KpSprite*> gemPickups;
  // What a tower's level-up pays its tier cost from; nothing adds to it.
  int tierPoints = 0;
  // One-shot sprite animations on the map.
  std::vector<KpSprite*> effectSprites;
  // Entries queued while the entities draw, drawn and emptied by the map
  // drawing: 0 the animated sprites, 1 the ground, 2 its shadows, 3 the
  // upper layer and flying enemies, 4 their shadows.
  std::array<std::vector<KpFrameEntry*>, 5> drawQueues;
  base::WString levelPath;
  // Why the last level could not be opened; empty once one opened. The
  // screens show it and go back to the level select.
  base::WString levelLoadError;
  // Marks the selected item.
  std::unique_ptr<render::ParticleEmitter> activeEmitter;
  // Marks the active speed button.
  std::unique_ptr<render::ParticleEmitter> activeButtonEmitter;
  // Images of the layout "kp/ui", not owned.
  render::Image* powerBuffIcon = nullptr;
  render::Image* barIcon = nullptr;
  render::Image* radiusIcon = nullptr;
  // By a tower's level, 1 to 3; 0 has none.
  std::array<render::Image*, 4> levelIcons{};
  std::map<int, render::Image*> towerIcons;
  render::Image* sellIcon = nullptr;
  render::Image* buyIcon = nullptr;
  render::Image* gemPriceIcon = nullptr;
  std::map<std::string, render::Image*> abilityIcons;
  render::Image* level2Icon = nullptr;
  render::Image* level3Icon = nullptr;
  // Marks the selected enemy.
  std::unique_ptr<SpriteAnimState> enemySpotSprite;
  std::unique_ptr<KpMapImages> mapImages;
  KpSpotList spots;
  // The level's points and links.
  RouteMap routeMap;
  // The level's waves with the enemies on the map.
  std::unique_ptr<KpWaves> waves;
  // Hits, base damage, blasts and portals.
  std::vector<ParticleEffect*> hitEmitters;
  // The level's fx points, explosions and tower boosts.
  std::vector<ParticleEffect*> fxEmitters;
  // Tower builds and upgrades.
  std::vector<render::ParticleEmitter*> towerEmitters;
  // Not owned: the portals and hammers that timed effects hold, advance and
  // delete themselves; drawn with the hit effects.
  std::vector<ParticleEffect*> heldEffects;
  // The spells of "kp/spells_sheet.csv".
  std::unique_ptr<SpellTable> spells;
  // Money, gems, kills and combos.
  std::unique_ptr<KpWallet> wallet;
  // Every prototype, read again with the sheets.
  std::unique_ptr<KpProtoLibrary> protos;
  // The towers in update order; owned.
  std::vector<KpTower*> towers;
  // Blasts, splashes, spell areas, tower boosts and portals; owned.
  std::vector<KpModifier*> areaEffects;
  std::unique_ptr<KpBulletList> bullets;
  // Beams and other grouped emitters; owned.
  std::vector<KpParticle*> particles;
  std::unique_ptr<KpPopupList> popups;
  std::unique_ptr<KpWaveHints> waveHints;
  // The level's ambient effects; owned.
  std::vector<KpMapEffect*> mapEffects;
  // The unit the player clicked; every tower in reach shoots it first.
  KpEnemy* selectedUnit = nullptr;
  // The radial menu on a spot or a tower; at most one.
  std::unique_ptr<KpTowerMenu> towerMenu;
  bool debugShowHealth = false;
  bool debugShowTargetLines = false;
  std::string levelImagePath;
  float life = 0.0f;
  float maxLife = 0.0f;
  // Applied to the level's point and anchor coordinates as they are read.
  float pointScale = 1.0f;
  // 2 reloads the level on the next update.
  int pendingReload = 0;
  bool reopenRequest = false;
  // 1 while the loading screen shows before a level load, 2 when the next
  // update loads.
  int loadingPhase = 0;


 private:
  // The towers, areas, units, shots and waves of a frame of play.
  void updateWorld(float step);
  // The level's particles, ambient points, popups and wave hints go.
  void clearLevelEffects();
  // No tower points at a beam any more.
  void forgetBeams();
  // The level's scene, drawn only on the screens over a running level.
  void drawScene(render::Graphics& graphics);
  void drawTowerMenu(render::Graphics& graphics);
  render::Font* debugTextFont();

  // Loaded when the game window has no font for the debug texts.
  resource::ResourceHandle<render::BMFont> debugFont;
};
