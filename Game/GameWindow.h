#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "Core/Render/BMFont.h"
#include "Core/Resource/ResourceHandle.h"
#include "Core/Widget/BaseBoard.h"

class KpMap;

// The fonts every screen shares, in the order they are loaded.
enum class GameFont : std::size_t {
  kMain32a,  // "main_32_1", the tutorial page
  kMain32b,  // "main_32_2"
  kMain42a,  // "main_42_1"
  kMain42b,  // "main_42_2"
  kMain80,   // "main_80", captions and level results
  kMain42c,  // "main_42_3", the screens' default and the popups
  kCount,
};

// The game's only frame: the bridge between the frame manager's widgets and
// the map controller, which draws and drives every screen itself. It owns
// the map and the shared fonts, loads the particle effects, and passes the
// frame's update, drawing, keys and pointer on to the map. Its hit rectangle
// covers far more than any screen, so that every click reaches it.
class GameWindow : public widget::BaseBoard {
 public:
  GameWindow();
  ~GameWindow() override;

  QLResultEnum Init() override;

  QLResultEnum OnUpdate(float dt) override;
  QLResultEnum OnDrawBefore(render::Graphics* graphics, layer::Layer* layer) override;
  QLResultEnum OnKeyDown(int key) override;
  // The pointer goes to the map in whole design units; presses and releases
  // only from the design area, not from the strips and bars around it.
  QLResultEnum OnWidgetMouseDown(const math::Point3& point, int button) override;
  QLResultEnum OnWidgetMouseDoubleClick(const math::Point3& point, int button) override;
  QLResultEnum OnWidgetMouseUp(const math::Point3& point, int button) override;
  QLResultEnum OnWidgetMouseMove(const math::Point3& point) override;
  QLResultEnum OnWidgetMouseDrag(const math::Point3& point) override;

  // Null until Init has made it.
  KpMap* map() const { return map_.get(); }
  // Null when the font could not be made.
  render::Font* font(GameFont which) const { return fonts_[static_cast<std::size_t>(which)].Get(); }
  static const char16_t* fontPath(GameFont which);
  int lastMouseX() const { return lastMouseX_; }
  int lastMouseY() const { return lastMouseY_; }

 private:
  void loadParticles();
  void loadFonts();
  // Keys that change the running level, for testing the game by hand.
  void onDebugKey(int key);
  void pressAt(const math::Point3& point, int button);
  void pointerAt(const math::Point3& point);

  std::array<resource::ResourceHandle<render::BMFont>, static_cast<std::size_t>(GameFont::kCount)> fonts_;
  std::unique_ptr<KpMap> map_;
  int lastMouseX_ = 0;
  int lastMouseY_ = 0;
};

// The running game window's font when it has loaded; null without a window
// or before the font loads, and the text is then not drawn.
render::Font* LoadedGameFont(GameFont which);
