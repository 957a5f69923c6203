#pragma once

#include <memory>
#include <tinyxml2.h>

#include "Core/App/Application.h"
#include "Core/App/MonitorList.h"
#include "Core/Input/CoordConverter.h"
#include "Core/Input/InputListener.h"
#include "Core/Widget/DeferredDeleteManager.h"
#include "Framework/ScreenLayout.h"

namespace base {
class ImageInfo;
}

namespace file {
class ImageContainer;
}

namespace input {
class InputWin32;
}

namespace layer {
class ImageLayer;
}

namespace render {
class Graphics;
class Image;
class Render;
class RenderTarget;
}  // namespace render

namespace widget {
class BaseBoard;
class FrameManager;
}  // namespace widget

namespace framework {

class GameWindow;

// The application base of the game: the data root and the per-user folder,
// the log, the window with its renderer laid out on the screen, the frame
// manager that the input reaches, and one frame per pass of the main loop.
class GameApplication : public app::Application,
                        public input::InputListener,
                        public input::CoordConverter,
                        public base::DeferredDeleteManager {
 public:
  // The one object, or null before it is made and after it is gone.
  static GameApplication* Instance() { return instance_; }

  ~GameApplication() override;

  std::vector<base::SingletoneBase*> GetDependencies() override;

  QLResultEnum Init() override;
  // The application task's pass also runs what the audio thread reported and
  // the store's answers.
  QLResultEnum OnUpdate(float dt) override;
  // Fills the border rectangles of the layout.
  virtual QLResultEnum DrawBorders(render::Graphics* graphics);
  // One frame: input, update, frame manager, drawing, present.
  virtual QLResultEnum Tick(float dt);
  virtual void OnActivate() {}
  virtual void OnDeactivate() {}
  // Toggles windowed and full screen.
  virtual QLResultEnum SwitchScreenMode();

  // Replaces the main frame by frame, which is pushed from the next frame
  // manager update on; the old one is removed and deleted.
  QLResultEnum SetMainFrame(widget::BaseBoard* frame);
  // Null when the image cannot be loaded.
  std::unique_ptr<render::Image> CreateImage(const base::WString& name, file::ImageContainer* container);
  // A new image layer placed at the image's layout rectangle.
  QLResultEnum CreateImageLayer(const base::WString& name, file::ImageContainer* container, layer::ImageLayer** out,
                                base::ImageInfo* description = nullptr);
  // Whether a window of the widest design size would exceed the work area.
  bool WindowExceedsScreen() const;

  input::Point ToDesign(input::Point window) const override { return layout_.ToDesign(window); }

  QLResultEnum OnMouseDown(const input::Point& point, int button) override;
  QLResultEnum OnMouseUp(const input::Point& point, int button) override;
  QLResultEnum OnMouseDoubleClick(const input::Point& point, int button) override;
  QLResultEnum OnMouseMove(const input::Point& point) override;
  QLResultEnum OnMouseDrag(const input::Point& point) override;
  QLResultEnum OnMouseWheel(const input::Point& point, int delta) override;
  QLResultEnum OnMouseLeave(const input::Point& point) override;
  QLResultEnum OnKeyDown(int key) override;
  QLResultEnum OnKeyUp(int key) override;
  QLResultEnum OnChar(char16_t unit) override;
  QLResultEnum OnTouchBegin(const input::Touch& touch) override;
  QLResultEnum OnTouchMove(const input::Touch& touch) override;
  QLResultEnum OnTouchEnd(const input::Touch& touch) override;
  QLResultEnum OnTouchCancel(const input::Touch& touch) override;
  QLResultEnum OnMouseCancel(const input::Point& point) override;

  GameWindow* GetWindow() const { return window_.get(); }
  render::Render* GetRender() const;
  widget::FrameManager* GetFrameManager() const { return frameManager_.get(); }
  render::RenderTarget* GetOffscreenTarget() const { return offscreenTarget_.get(); }
  const ScreenLayout& GetLayout() const { return layout_; }
  const DesignSize& GetDesignSize() const { return design_; }
  widget::BaseBoard* GetMainFrame() const { return mainFrame_; }
  const tinyxml2::XMLDocument& GetDialogConfiguration() const { return dialogConfiguration_; }

 protected:
  GameApplication();

  // The game's start-up before the window exists, and after the framework
  // is ready; its per-frame update.
  virtual QLResultEnum PreInit() { return QL_OK; }
  virtual QLResultEnum PostInit() = 0;
  virtual QLResultEnum Update(float dt) = 0;

  // The per-user folder is the user's data folder + maker + "/" + product.
  base::WString makerFolderName_;
  base::WString productFolderName_;
  base::WString windowCaption_;
  DesignSize design_;
  bool windowed_ = true;

 private:
  QLResultEnum StartUp();
  QLResultEnum ChooseDataRoot(base::WString* root) const;
  QLResultEnum OpenUserFolderAndLog();
  QLResultEnum CreateWindowAndRenderer();
  QLResultEnum StartPackScreen();
  QLResultEnum LoadDialogConfiguration();
  ScreenEnvironment GetScreenEnvironment() const;
  QLResultEnum ComputeScreenLayout(bool windowed, ScreenSettings* settings);
  QLResultEnum MakeOffscreenTarget(const ScreenSettings& settings);
  QLResultEnum DrawFrame();
  void DeleteFrames();
  bool HasArgument(const char16_t* option) const;

  static inline GameApplication* instance_ = nullptr;

  std::unique_ptr<input::InputWin32> input_;
  std::unique_ptr<GameWindow> window_;
  std::unique_ptr<render::Render> render_;
  std::unique_ptr<widget::FrameManager> frameManager_;
  std::unique_ptr<render::RenderTarget> offscreenTarget_;
  app::MonitorList monitors_;
  tinyxml2::XMLDocument dialogConfiguration_;
  ScreenLayout layout_;
  std::array<float, 4> mainFrameRect_{};
  widget::BaseBoard* mainFrame_ = nullptr;
};

}  // namespace framework
