#include "Game/KpMap.h"

#include "Core/File/Profiles.h"
#include "Core/Render/Image.h"
#include "Core/Render/BMFont.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"
#include "Core/Render/RenderTarget.h"
#include "Core/Sound/SoundTags.h"
#include "Framework/GameApplication.h"
#include "Framework/GameWindow.h"
#include "Game/KpBulletList.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMapImages.h"
#include "Game/KpModifier.h"
#include "Game/KpPopupList.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpResources.h"
#include "Game/KpRouteBuilder.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpUnlockTable.h"
#include "Game/KpWaveHints.h"
#include "Game/KpWaves.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/PlayerProfile.h"
#include "Game/SpellTable.h"
#include "Game/SpriteAnimState.h"
#include "Game/UpgradeList.h"

namespace {

// A new emitter of the template, already playing; null when the loaded
// particle file has no such template.
std::unique_ptr<render::ParticleEmitter> RunningEmitter(const std::string& name) {
  std::unique_ptr<render::ParticleEmitter> emitter = render::ParticleSystem::Instance()->CreateEmitter(name);
  if (emitter) emitter->SetState(render::ParticleEmitter::kRunning);
  return emitter;
}

}  // namespace

// The order matters: the unlock table answers from the profile, and the
// profile asks the map for the setup sheet and the difficulty mode.
KpMap::KpMap() {
  upgrades = std::make_unique<UpgradeList>();
  upgrades->load(u"kp/upgrades.xml");
  routeBuilder = std::make_unique<KpRouteBuilder>();
  unlockTable = std::make_unique<KpUnlockTable>(*this);
  w4::SoundTags::Instance()->Load(u"kp/sounds_sheet.csv");
  wallet = std::make_unique<KpWallet>(this);
  spells = std::make_unique<SpellTable>();
  spells->load(u"kp/spells_sheet.csv", SpellTable::GameImages());
  profile = std::make_unique<PlayerProfile>(*file::Profiles::Instance(), *this);
  difficultyMode = profile->getMode();
  waves = std::make_unique<KpWaves>(MakeMapWaveWorld(*this));
  bullets = std::make_unique<KpBulletList>();
  // The shared layouts first: the prototypes take their sprites from them.
  loadResources();
  // Made after the layouts: asked for earlier, the registry would make it an
  // empty sprite of that name and keep that one.
  enemySpotSprite = std::make_unique<SpriteAnimState>(u"kp/enemy_spot", u"");
  loadSheets();
  // The particle file was loaded by the root window before the map.
  activeEmitter = RunningEmitter("active");
  activeButtonEmitter = RunningEmitter("active_btn");
  subscribeToPurchases();
}

// The profile goes after every object that may still report to it; what
// follows it only holds pictures and emitters.
KpMap::~KpMap() {
  unsubscribeFromPurchases();
  // What points at the level's objects goes before them.
  routeBuilder->clear();
  DeleteAllPointersAndFree(areaEffects);
  DeleteAllPointersAndFree(towers);
  upgrades.reset();
  enemySpotSprite.reset();
  DeleteAllPointersAndFree(gemPickups);
  unlockTable.reset();
  activeEmitter.reset();
  bakedBackground.reset();
  clearLevelEffects();
  popups.reset();
  waveHints.reset();
  DeleteAllPointersAndFree(effectSprites);
  mapImages.reset();
  spots.clear();
  wallet.reset();
  spells.reset();
  bullets.reset();
  waves.reset();
  routeMap.clear();
  protos.reset();
  DeleteAllPointersAndFree(hitEmitters);
  DeleteAllPointersAndFree(fxEmitters);
  if (KpResources* resources = KpResources::Existing()) resources->clear();
  profile.reset();
  for (std::vector<KpFrameEntry*>& queue : drawQueues) DeleteAllPointersAndFree(queue);
  DeleteAllPointersAndFree(towerEmitters);
  activeButtonEmitter.reset();
  routeBuilder.reset();
}

void KpMap::pauseIfPlaying() {
  if (screenState == kScreenPlay) openPauseMenu();
}

void KpMap::openPauseMenu() {
  gameSpeed = 0.0f;
  screenState = kScreenPauseMenu;
}

bool KpMap::isEpisodeUnlocked(int episode) {
  return setupTable.isEpisodeUnlocked(episode, profile ? profile->getStarCount(-1) : 0);
}

LevelPlace KpMap::getFurthestProgress() { return profile ? profile->getFurthestProgress() : LevelPlace{}; }

// A profile chosen takes its own gems along; nothing was earned.
void KpMap::setWalletGems(int gems) {
  if (wallet) wallet->gems = gems;
}

std::vector<int> KpMap::getUpgradeIds() {
  std::vector<int> ids;
  if (!upgrades) return ids;
  for (const auto& upgrade : upgrades->upgrades()) ids.push_back(upgrade->id);
  return ids;
}

// The coin text comes with the screens.
void KpMap::onMoneyChanged(int) {}

void KpMap::onGemsChanged(int gems) {
  if (profile) profile->setGems(gems);
}

// The tutorial reads its steps from the profile when it starts.
void KpMap::loadTutorialState() {}

bool KpMap::isWindowed() {
  framework::GameApplication* application = framework::GameApplication::Instance();
  framework::GameWindow* window = application ? application->GetWindow() : nullptr;
  return window ? window->IsWindowed() : true;
}

void KpMap::switchScreenMode() {
  if (framework::GameApplication* application = framework::GameApplication::Instance())
    application->SwitchScreenMode();
}
