#include "Game/KpMap.h"

#include "Core/File/Profiles.h"
#include "Core/Render/Image.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"
#include "Core/Sound/SoundTags.h"
#include "Framework/GameApplication.h"
#include "Framework/GameWindow.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpResources.h"
#include "Game/KpRouteBuilder.h"
#include "Game/KpSprite.h"
#include "Game/KpUnlockTable.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/PlayerProfile.h"
#include "Game/SpriteAnimState.h"

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
  routeBuilder = std::make_unique<KpRouteBuilder>();
  unlockTable = std::make_unique<KpUnlockTable>(*this);
  enemySpotSprite = std::make_unique<SpriteAnimState>(u"kp/enemy_spot", u"");
  w4::SoundTags::Instance()->Load(u"kp/sounds_sheet.csv");
  profile = std::make_unique<PlayerProfile>(*file::Profiles::Instance(), *this);
  difficultyMode = profile->getMode();
  loadSheets();
  // The particle file was loaded by the root window before the map.
  activeEmitter = RunningEmitter("active");
  activeButtonEmitter = RunningEmitter("active_btn");
}

// The profile goes last: the objects before it may still report to it.
KpMap::~KpMap() {
  enemySpotSprite.reset();
  DeleteAllPointersAndFree(gemPickups);
  unlockTable.reset();
  activeEmitter.reset();
  bakedBackground.reset();
  DeleteAllPointersAndFree(effectSprites);
  routeMap.clear();
  DeleteAllPointersAndFree(hitEmitters);
  DeleteAllPointersAndFree(fxEmitters);
  if (KpResources* resources = KpResources::Existing()) resources->clear();
  profile.reset();
  for (std::vector<KpFrameEntry*>& queue : drawQueues) DeleteAllPointersAndFree(queue);
  DeleteAllPointersAndFree(towerEmitters);
  activeButtonEmitter.reset();
  routeBuilder.reset();
}

void KpMap::update(float dt) {
  if (!resourcesLoaded) return;
  rawFrameTime = dt;
  gameTime += dt * gameSpeed;
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

// The wallet comes with the level; until then the profile keeps the gems.
void KpMap::setWalletGems(int) {}

// The upgrade shop's list comes with the upgrade rules.
std::vector<int> KpMap::getUpgradeIds() { return {}; }

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
