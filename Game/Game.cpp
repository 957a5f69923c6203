#include "Game/Game.h"

#include "Core/Base/LogMessage.h"
#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "Core/File/Profiles.h"
#include "Core/File/TextFile.h"
#include "Core/File/UserDataFileContainer.h"
#include "Core/Purchase/PurchaseSystem.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/ParticleSystem.h"
#include "Core/Render/Render.h"
#include "Core/Render/RenderTarget.h"
#include "Core/Resource/ResourceManager.h"
#include "Core/Sound/SoundSystem.h"
#include "Core/Sound/SoundTags.h"
#include "Core/Widget/BaseBoard.h"
#include "Framework/GameWindow.h"
#include "Game/GameWindow.h"
#include "Game/KpMap.h"
#include "Game/LocalStrings.h"
#include "Game/PlayerProfile.h"
#include "Game/ScreenState.h"
#include "Game/ShortcutLink.h"
#include "Game/XmlAttributes.h"
#include "Platform/Browser.h"
#include "Platform/MessageBox.h"

namespace {

constexpr const char16_t* kPlayLinkFile = u"play.url";
constexpr float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// The screens that show the side images in the borders: the episode
// carousel, the level select, the upgrade shop and a modal message.
bool ShowsSidesInBorders(int screenState) {
  return screenState == kScreenEpisodes || screenState == kScreenLevelSelect || screenState == kScreenUpgradeShop ||
         screenState == kScreenModalMessage;
}

// The image's top edge at y, its left or right edge (anchorX) at x.
void DrawScaled(render::Graphics& graphics, render::Image& image, std::int32_t anchorX, float scale, float x, float y) {
  math::Transform2D placement;
  placement.Scale(scale, scale);
  placement.Translate(x, y);
  auto draw = graphics.DrawImage(&image);
  draw->anchorX = anchorX;
  draw.Transform2D(placement);
}

bool PlayLinkFileExists() { return file::FileManager::Instance()->FileExists(kPlayLinkFile, nullptr, 0, nullptr); }

}  // namespace

Game::Game() {
  makerFolderName_ = u"Orvane";
  productFolderName_ = u"Lanternfall2";
  // Until the string table is read at start-up, the caption is the title.
  windowCaption_ = u"Lanternfall 2";
  design_ = {1024, 768, 1366};
  sInstance = this;
}

// The particle atlases, like the images and the shader held here, are the
// renderer's, which the base destroys after this.
Game::~Game() {
  if (render::ParticleSystem* particles = render::ParticleSystem::Existing()) particles->ReleaseAtlases();
  if (w4::SoundTags* tags = w4::SoundTags::Existing(); tags && tags->GetPlayerVolumes() == &volumes_) {
    tags->SetPlayerVolumes(nullptr);
  }
  openPlayLink();
  if (sInstance == this) sInstance = nullptr;
}

// An installation without "play.url" is incomplete: the player is told and
// nothing else starts.
QLResultEnum Game::PreInit() {
  if (!PlayLinkFileExists()) {
    Finish();
    QL_LOG(u"File play.url not found!\n");
    platform::ShowErrorBox("Error", "File play.url not found!");
    return QL_FAIL;
  }
  // The game's data is read from its pack while the pack exists, and packed
  // into it with "--pack". The string table comes from there too, while the
  // keys it lacks are collected in the player's own folder.
  file::FileManager::Instance()->mounts[u"kp/"] = u"data.dat";
  LocalStrings* strings = LocalStrings::Instance();
  const base::WString userFolder = file::UserDataFileContainer::Instance()->GetRootPath();
  if (!userFolder.empty()) strings->setMissingStringsPath(userFolder + u"missing_strings.csv");
  windowCaption_ = strings->getString(u"game_caption");
  file::Profiles::Instance()->Load();
  readWindowMode();
  w4::SoundTags::Instance()->SetPlayerVolumes(&volumes_);
  return QL_OK;
}

// No "fs" means full screen; "fs" says windowed unless its "v" is true.
void Game::readWindowMode() {
  const tinyxml2::XMLElement* profile = file::Profiles::Instance()->GetCurrentProfile();
  const tinyxml2::XMLElement* fullscreen = profile ? profile->FirstChildElement("fs") : nullptr;
  if (!fullscreen) {
    windowed_ = false;
    return;
  }
  windowed_ = !xml_attributes::ReadBool(*fullscreen, "v");
}

// What cannot be loaded stays empty; the game runs on without it.
QLResultEnum Game::PostInit() {
  purchase::PurchaseSystem::Instance()->LoadCatalogue(u"kp/inapp.xml");
  loadMobShader();
  loadSideImages();
  loadingImage_ = CreateImage(u"kp/data/loading", nullptr);
  // The root window makes the map controller as it becomes the main frame.
  gameWindow_ = new GameWindow;
  return SetMainFrame(gameWindow_);
}

void Game::loadMobShader() {
  resource::ResourceHandle<TMobShader> shader =
      resource::ResourceManager::Instance()->Get<TMobShader>(TMobShader::kFolder);
  if (!shader || shader->SetRender(GetRender()) != QL_OK || shader->Load() != QL_OK) {
    QL_LOG(u"The enemy shader could not be loaded\n");
    return;
  }
  mobShader_ = std::move(shader);
}

void Game::loadSideImages() {
  const std::unique_ptr<file::ImageContainer> sides(
      file::FileManager::Instance()->OpenImageContainer(u"kp/data/sides"));
  if (!sides) return;
  leftSideImage_ = CreateImage(u"l", sides.get());
  rightSideImage_ = CreateImage(u"r", sides.get());
}

// A root window that another main frame replaced is on its way out.
KpMap* Game::getMap() const {
  return gameWindow_ && GetMainFrame() == gameWindow_ ? gameWindow_->map() : nullptr;
}

std::optional<int> Game::screenState() const {
  const KpMap* map = getMap();
  return map ? std::optional<int>(map->screenState) : std::nullopt;
}

void Game::pauseLevel() {
  if (KpMap* map = getMap()) map->pauseIfPlaying();
}

void Game::rememberScreenMode(bool fullscreen) {
  const KpMap* map = getMap();
  if (map && map->profile) map->profile->setFullscreen(fullscreen);
}

QLResultEnum Game::DrawBorders(render::Graphics* graphics) {
  const std::optional<int> state = screenState();
  if (!state || !ShowsSidesInBorders(*state)) return QL_OK;
  if (!GetLayout().bordersAreSideBars) return GameApplication::DrawBorders(graphics);
  drawBorderSides(*graphics);
  return QL_OK;
}

// Both images take the height of the border, the left one ending at the
// inner edge of the left border.
void Game::drawBorderSides(render::Graphics& graphics) {
  if (!leftSideImage_ || !rightSideImage_ || leftSideImage_->GetHeight() <= 0) return;
  const auto& [left, right] = GetLayout().borders;
  const float scale = left[3] / static_cast<float>(leftSideImage_->GetHeight());
  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
  DrawScaled(graphics, *leftSideImage_, render::kAnchorRight, scale, left[0] + left[2], left[1]);
  DrawScaled(graphics, *rightSideImage_, render::kAnchorLeft, scale, right[0], right[1]);
}

QLResultEnum Game::drawSideImages(render::Graphics& graphics) {
  if (!leftSideImage_ || !rightSideImage_ || leftSideImage_->GetHeight() <= 0) return QL_OK;
  const float scale = GetLayout().visibleArea[3] / static_cast<float>(leftSideImage_->GetHeight());
  DrawScaled(graphics, *leftSideImage_, render::kAnchorRight, scale, 1.0f, 0.0f);
  DrawScaled(graphics, *rightSideImage_, render::kAnchorLeft, scale, 1023.0f, 0.0f);
  return QL_OK;
}

// The screen is cleared through a Graphics of its own, so the clear reaches
// the back buffer even when a target was drawn into just before.
void Game::drawLoadingScreen() {
  render::Render* render = GetRender();
  if (!render || !render->IsReadyToRender() || render->BeginScene() != QL_OK) return;
  {
    render::Graphics screen(*render);
    screen.Clear(render::kClearColor, kBlack, 1.0f, 0);
    if (loadingImage_) {
      // Centred on the design area: the picture is as wide as the widest
      // design, so it fills whatever the screen shows of it.
      math::Transform2D placement;
      if (GetOffscreenTarget()) {
        placement.Scale(GetLayout().targetScaleX, GetLayout().targetScaleY);
        placement.Translate(GetLayout().targetCentreX, GetLayout().targetCentreY);
      } else {
        placement.Translate(static_cast<float>(GetDesignSize().width) * 0.5f,
                            static_cast<float>(GetDesignSize().height) * 0.5f);
      }
      auto draw = screen.DrawImage(loadingImage_.get());
      draw->anchorX = render::kAnchorCenter;
      draw->anchorY = render::kAnchorMiddle;
      draw.Transform2D(placement);
    }
  }
  render->EndScene();
  render->Present();
  render->ExecuteCommands();
}

void Game::OnActivate() {
  if (SoundSystem* sound = SoundSystem::Existing()) sound->Resume();
}

void Game::OnDeactivate() {
  if (SoundSystem* sound = SoundSystem::Existing()) sound->Pause();
  pauseLevel();
}

// A switch that could not change the mode leaves the profile alone.
QLResultEnum Game::SwitchScreenMode() {
  const bool wasWindowed = GetWindow()->IsWindowed();
  if (const QLResultEnum result = GameApplication::SwitchScreenMode(); result != QL_OK) return result;
  if (GetWindow()->IsWindowed() != wasWindowed) rememberScreenMode(!GetWindow()->IsWindowed());
  return QL_OK;
}

// Keys reach the root window whichever widget holds the keyboard focus.
QLResultEnum Game::OnKeyDown(int key) {
  widget::BaseBoard* root = GetMainFrame();
  return root ? static_cast<widget::WidgetListener*>(root)->OnKeyDown(key) : QL_OK;
}

QLResultEnum Game::OnKeyUp(int key) {
  widget::BaseBoard* root = GetMainFrame();
  return root ? static_cast<widget::WidgetListener*>(root)->OnKeyUp(key) : QL_OK;
}

QLResultEnum Game::OnChar(char16_t unit) {
  widget::BaseBoard* root = GetMainFrame();
  return root ? static_cast<widget::WidgetListener*>(root)->OnChar(unit) : QL_OK;
}

// The file is checked again: a start that found none opens nothing.
void Game::openPlayLink() {
  if (!PlayLinkFileExists()) return;
  const std::string link = ShortcutLink(file::ReadTextFile(kPlayLinkFile));
  if (!link.empty()) platform::OpenUrl(link);
}
