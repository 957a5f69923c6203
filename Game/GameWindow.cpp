#include "Game/GameWindow.h"

#include <optional>

#include "Core/Render/Graphics.h"
#include "Core/Render/ParticleSystem.h"
#include "Core/Render/RenderState.h"
#include "Core/Resource/ResourceManager.h"
#include "Framework/GameApplication.h"
#include "Game/Game.h"
#include "Game/KpMap.h"
#include "Game/LevelNumbers.h"
#include "Game/PlayerProfile.h"

namespace {

constexpr const char16_t* kFontNames[] = {
    u"kp/data/fonts/main_32_1", u"kp/data/fonts/main_32_2", u"kp/data/fonts/main_42_1",
    u"kp/data/fonts/main_42_2", u"kp/data/fonts/main_80",   u"kp/data/fonts/main_42_3",
};
static_assert(std::size(kFontNames) == static_cast<std::size_t>(GameFont::kCount));

constexpr float kReach = 10000.0f;
constexpr float kDebugLife = 100.0f;
constexpr int kDebugGems = 100;
constexpr int kDebugMoney = 1000;

// Key codes are those of the lower-case characters.
constexpr int kKeyShowWaves = '1';
constexpr int kKeyShowAreas = '3';
constexpr int kKeyGems = 'c';
constexpr int kKeyFullLife = 'h';
constexpr int kKeyMoney = 'm';
constexpr int kKeyReloadSheets = 'r';

// The platform numbers the left mouse button 1.
constexpr int kLeftButton = 1;

render::Render* ApplicationRender() {
  framework::GameApplication* application = framework::GameApplication::Instance();
  return application ? application->GetRender() : nullptr;
}

struct DesignPoint {
  int x = 0;
  int y = 0;
};

// The point in whole design units when it lies on the design area; the side
// strips of a wide window and the letterbox bars lie outside it.
std::optional<DesignPoint> OnDesignArea(const math::Point3& point) {
  const framework::GameApplication* application = framework::GameApplication::Instance();
  if (!application) return std::nullopt;
  const framework::DesignSize& design = application->GetDesignSize();
  if (!(point.x >= 0.0f && point.x < static_cast<float>(design.width) && point.y >= 0.0f &&
        point.y < static_cast<float>(design.height)))
    return std::nullopt;
  return DesignPoint{static_cast<int>(point.x), static_cast<int>(point.y)};
}

}  // namespace

GameWindow::GameWindow() = default;

const char16_t* GameWindow::fontPath(GameFont which) { return kFontNames[static_cast<std::size_t>(which)]; }

// The map goes before the fonts its screens draw with.
GameWindow::~GameWindow() { map_.reset(); }

// What cannot be loaded stays empty: the game runs on without it. The map's
// emitters are made from the particle file, so it is loaded first.
QLResultEnum GameWindow::Init() {
  SetRect(-kReach, -kReach, 2.0f * kReach, 2.0f * kReach);
  lastMouseX_ = lastMouseY_ = 0;
  loadParticles();
  loadFonts();
  map_ = std::make_unique<KpMap>();
  map_->wallet->addGems(map_->profile->getGems());
  return QL_OK;
}

void GameWindow::loadParticles() {
  render::ParticleSystem* particles = render::ParticleSystem::Instance();
  particles->SetFolder("kp/fx/");
  if (render::Render* render = ApplicationRender()) particles->LoadFile("fx2.ptc", *render);
}

void GameWindow::loadFonts() {
  for (std::size_t i = 0; i < fonts_.size(); ++i) {
    fonts_[i] = resource::ResourceManager::Instance()->Get<render::BMFont>(kFontNames[i]);
    if (!fonts_[i]) continue;
    fonts_[i]->SetRender(ApplicationRender());
    if (!fonts_[i]->IsLoaded()) fonts_[i]->Load();
  }
}

QLResultEnum GameWindow::OnUpdate(float dt) {
  if (map_) map_->update(dt);
  return QL_OK;
}

// The map and its screens are drawn with alpha blending whatever the frame
// before left set.
QLResultEnum GameWindow::OnDrawBefore(render::Graphics* graphics, layer::Layer*) {
  graphics->SetBlendMode(render::kBlendAlpha);
  if (map_) map_->draw(*graphics);
  return QL_OK;
}

QLResultEnum GameWindow::OnKeyDown(int key) {
  if (map_ && map_->debugKeysEnabled && map_->screenState == kScreenPlay) onDebugKey(key);
  return QL_OK;
}

void GameWindow::onDebugKey(int key) {
  switch (key) {
    case kKeyShowWaves:
      map_->debugShowWaves = !map_->debugShowWaves;
      break;
    case kKeyShowAreas:
      map_->debugShowAreas = !map_->debugShowAreas;
      break;
    case kKeyGems:
      map_->wallet->addGems(kDebugGems);
      break;
    case kKeyFullLife:
      map_->maxLife = map_->life = kDebugLife;
      break;
    case kKeyMoney:
      map_->wallet->addMoney(kDebugMoney);
      break;
    case kKeyReloadSheets:
      map_->loadSheets();
      break;
    default:
      break;
  }
}

// The second press of a double click is a press like the first.
QLResultEnum GameWindow::OnWidgetMouseDown(const math::Point3& point, int button) {
  pressAt(point, button);
  return QL_OK;
}

QLResultEnum GameWindow::OnWidgetMouseDoubleClick(const math::Point3& point, int button) {
  pressAt(point, button);
  return QL_OK;
}

void GameWindow::pressAt(const math::Point3& point, int button) {
  if (button != kLeftButton || !map_) return;
  if (const std::optional<DesignPoint> at = OnDesignArea(point)) map_->onPress(at->x, at->y);
}

QLResultEnum GameWindow::OnWidgetMouseUp(const math::Point3& point, int) {
  if (!map_) return QL_OK;
  if (const std::optional<DesignPoint> at = OnDesignArea(point)) map_->onClick(at->x, at->y);
  return QL_OK;
}

QLResultEnum GameWindow::OnWidgetMouseMove(const math::Point3& point) {
  pointerAt(point);
  return QL_OK;
}

QLResultEnum GameWindow::OnWidgetMouseDrag(const math::Point3& point) {
  pointerAt(point);
  return QL_OK;
}

// Wherever the pointer is, so that what it hovered forgets it once it leaves.
void GameWindow::pointerAt(const math::Point3& point) {
  lastMouseX_ = TruncateToInt(point.x);
  lastMouseY_ = TruncateToInt(point.y);
  if (map_) map_->onMove(lastMouseX_, lastMouseY_);
}

render::Font* LoadedGameFont(GameFont which) {
  const GameWindow* window = Game::sInstance ? Game::sInstance->gameWindow() : nullptr;
  render::Font* font = window ? window->font(which) : nullptr;
  return font && font->IsLoaded() ? font : nullptr;
}
