#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "Core/Base/Format.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/Render/RenderTarget.h"
#include "Core/Sound/PlayMusicTrack.h"
#include "Game/Game.h"
#include "Game/KpBulletList.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpModifier.h"
#include "Game/KpRouteBuilder.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpWaveLanes.h"
#include "Game/KpWaves.h"
#include "Game/LevelFile.h"
#include "Game/LevelNumbers.h"
#include "Game/LevelRouteCheck.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/PlayerProfile.h"
#include "Game/UpgradeList.h"

namespace {

constexpr int kHardcoreMode = 3;
constexpr float kStartLife = 25.0f;
constexpr float kHardcoreLife = 1.0f;
// The episodes that have a track of their own; the others play the first.
constexpr int kMusicEpisodes = 7;

base::WString LevelFilePath(int difficultyMode, int episodeIndex, int levelIndex) {
  WideFormat path(u"kp/levels_%s/level_%02d_%02d.xml");
  path.AddString(difficultyMode == kHardcoreMode ? u"hardcore" : u"normal")
      .AddInt(episodeIndex + 1)
      .AddInt(levelIndex + 1)
      .Finish();
  return path.Text();
}

// The route cache lies beside the level file, with the same name.
base::WString CachePathOf(const base::WString& levelPath) {
  const base::WString extension = u".xml";
  if (levelPath.size() >= extension.size() && levelPath.ends_with(extension))
    return levelPath.substr(0, levelPath.size() - extension.size()) + u".cache";
  return levelPath + u".cache";
}

base::WString MusicTrackOf(int episodeIndex) {
  const int track = episodeIndex >= 0 && episodeIndex < kMusicEpisodes ? episodeIndex + 1 : 1;
  return base::ToWide("kp/data/music/ingame" + std::to_string(track) + ".ogg", base::kEncodingUtf8);
}

// budget plus its share by the upgrades, kept within the int range however
// large the level's number is.
int StartMoney(int budget, float bonusShare) {
  const double money = budget + std::trunc(budget * static_cast<double>(bonusShare));
  if (!(money > 0.0)) return 0;
  return static_cast<int>(std::min(money, static_cast<double>(std::numeric_limits<int>::max())));
}

}  // namespace

void KpMap::loadLevel() {
  levelPath = LevelFilePath(difficultyMode, episodeIndex, levelIndex);
  restart();
  dropChanceOverride = profile ? static_cast<float>(profile->getTutorialParam(u"dropChanceOverride")) : 0.0f;
}

void KpMap::restart() {
  mapOffsetX = mapOffsetY = 0.0f;
  mapScale = 1.0f;
  if (Game::sInstance) Game::sInstance->drawLoadingScreen();
  wallet->reset();
  const MapUpgradeBonus bonus = profile ? upgrades->applyToMap(*profile) : MapUpgradeBonus{};
  killRewardBonus = bonus.enemyCostFraction;
  startBudgetBonus = bonus.startBudgetFraction;
  lifeBonus = bonus.lifeBonus;
  loadSheets();
  DeleteAllPointersAndFree(gemPickups);
  screenState = kScreenLoadingLevel;
  gameSpeed = 0.0f;
  waves->reset();
  life = maxLife = difficultyMode == kHardcoreMode ? kHardcoreLife : kStartLife + static_cast<float>(lifeBonus);
  if (mapImages) mapImages->showAll();
  parseLevel(levelPath);
  if (!levelLoadError.empty()) return;
  gameSpeed = 1.0f;
  screenState = kScreenPlay;
  const base::WString music = MusicTrackOf(episodeIndex);
  if (file::FileManager::Instance()->FileExists(music, nullptr, 0, nullptr))
    w4::PlayMusicTrack(music);
  else
    QL_LOG(u"The level's music '%s' is missing; the level plays without it\n").AddArg(music);
  const KpPoint* spawn = routeMap.findSpawnPoint();
  routeBuilder->build(routeMap, KpWaveLanes(*waves, spawn ? std::optional<int>(spawn->id) : std::nullopt),
                      CachePathOf(levelPath));
}

void KpMap::parseLevel(const base::WString& path) {
  levelPath = path;
  // What points at the level's objects goes before them: the routes at the
  // links, the spot entries and markers at the spots, the menu at a spot or
  // a tower.
  towerMenu.reset();
  routeBuilder->clear();
  DeleteAllPointersAndFree(areaEffects);
  DeleteAllPointersAndFree(towers);
  bakedBackground.reset();
  mapImages.reset();
  DeleteAllPointersAndFree(effectSprites);
  spots.clear();
  clearLevelEffects();
  DeleteAllPointersAndFree(hitEmitters);
  DeleteAllPointersAndFree(fxEmitters);
  bullets->clear();
  waves->load(nullptr);
  routeMap.clear();
  budget = 0;
  levelLoadError.clear();

  LevelFile file;
  if (!file.load(path)) {
    levelLoadError = file.error();
    return;
  }
  routeMap.load(*file.map(), pointScale);
  levelLoadError = RouteMapProblem(routeMap);
  if (!levelLoadError.empty()) {
    QL_LOG(u"The level '%s' cannot be played: %s\n").AddArg(path).AddArg(levelLoadError);
    routeMap.clear();
    return;
  }
  budget = file.budget();
  ReadSpots(file.child("spots"), spots);
  waves->load(file.child("waves"));
  waves->reportUnknownSpawnPoints([this](int id) {
    const KpPoint* point = id == KpWaveProto::kDefaultSpawner ? routeMap.findSpawnPoint() : routeMap.findPoint(id);
    return point != nullptr;
  });

  const int startMoney = StartMoney(budget, startBudgetBonus);
  wallet->money = AddClamped(wallet->money, startMoney);
  wallet->startMoney = startMoney;
  wallet->displayedMoney = wallet->money;

  if (const std::optional<std::string> text = file.levelImageText()) levelImagePath = *text;
  mapImages = std::make_unique<KpMapImages>();
  mapImages->load(LevelLayoutPath(levelImagePath), episodeIndex, mapEffects);
  mapImages->addSpots(spots, [this](const base::WString& entryName) {
    return profile && profile->isSpotOwned(entryName, episodeIndex, levelIndex);
  });
  placeLevelTowers();
  mapImages->sortFrames();
  screenState = kScreenPlay;
  bakeBackground();
}

