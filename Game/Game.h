#pragma once

#include <memory>
#include <optional>

#include "Core/Resource/ResourceHandle.h"
#include "Framework/GameApplication.h"
#include "Game/MobShader.h"
#include "Game/ProfileVolumes.h"

class KpMap;

namespace render {
class Image;
}

// The game's application object: it checks the installation, mounts the
// game's pack, loads the profiles and the start-up window mode, then the
// shared drawing resources; it pauses the sound while the window is inactive,
// draws the side images into the borders of the menu screens and, at exit,
// opens the link of "play.url".
class Game : public framework::GameApplication {
 public:
  // The one game, reached by the game code everywhere; null once it is gone.
  static inline Game* sInstance = nullptr;

  Game();
  ~Game() override;

  // The map controller, made by the root window; null while there is none.
  KpMap* getMap() const;

  // Both side images at the edges of the 1024-wide design area, in design
  // space; the menus call it while they draw.
  QLResultEnum drawSideImages(render::Graphics& graphics);
  // Shows the loading picture at once, outside the frame loop, before a long
  // load.
  void drawLoadingScreen();

  TMobShader* getMobShader() const { return mobShader_.Get(); }

  QLResultEnum DrawBorders(render::Graphics* graphics) override;
  void OnActivate() override;
  void OnDeactivate() override;
  QLResultEnum SwitchScreenMode() override;

  QLResultEnum OnKeyDown(int key) override;
  QLResultEnum OnKeyUp(int key) override;
  QLResultEnum OnChar(char16_t unit) override;

 protected:
  QLResultEnum PreInit() override;
  QLResultEnum PostInit() override;
  // The map moves on through the root window's own update.
  QLResultEnum Update(float) override { return QL_OK; }

  // The map's screen state; nullopt while there is no map.
  virtual std::optional<int> screenState() const;

 private:
  void loadMobShader();
  void loadSideImages();
  void drawBorderSides(render::Graphics& graphics);
  void readWindowMode();
  // What the map does when the player leaves the window during a level.
  void pauseLevel();
  // Keeps the full-screen choice in the player's profile.
  void rememberScreenMode(bool fullscreen);
  void openPlayLink();

  std::unique_ptr<render::Image> leftSideImage_;
  std::unique_ptr<render::Image> rightSideImage_;
  resource::ResourceHandle<TMobShader> mobShader_;
  std::unique_ptr<render::Image> loadingImage_;
  ProfileVolumes volumes_;
};
