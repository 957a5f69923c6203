#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "Core/App/Window.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Input/CoordConverter.h"
#include "Core/Input/InputListener.h"
#include "Core/Input/Win32/InputWin32.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Platform/Session.h"
#include "Platform/ShaderCompiler.h"
#include "tests/Core/Render/FakeDevice.h"
#include "tests/Support/GraphicsDriver.h"

namespace render_test {

class IgnoredInput : public input::InputListener, public input::CoordConverter {
 public:
  input::Point ToDesign(input::Point window) const override { return window; }
  QLResultEnum OnMouseDown(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseUp(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseDoubleClick(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseMove(const input::Point&) override { return QL_OK; }
  QLResultEnum OnMouseDrag(const input::Point&) override { return QL_OK; }
  QLResultEnum OnMouseWheel(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseLeave(const input::Point&) override { return QL_OK; }
  QLResultEnum OnKeyDown(int) override { return QL_OK; }
  QLResultEnum OnKeyUp(int) override { return QL_OK; }
  QLResultEnum OnChar(char16_t) override { return QL_OK; }
  QLResultEnum OnTouchBegin(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchMove(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchEnd(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchCancel(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnMouseCancel(const input::Point&) override { return QL_OK; }
};

inline constexpr int kWidth = 32;
inline constexpr int kHeight = 24;

class RenderDX9Fixture : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Startup();
    ASSERT_EQ(window_.Create({0, 0}, {width_, height_}, {width_, height_}, true, u"render test"), QL_OK);
    param_.width = width_;
    param_.height = height_;
  }
  void TearDown() override {
    render_.reset();
    platform::OverrideDeviceCaps(std::nullopt);
    SingletonRegistry::Shutdown();
    platform::ShutdownShaderCompiler();
    platform::Shutdown();
  }

  QLResultEnum Start() {
    render_ = std::make_unique<render::RenderDX9>();
    const QLResultEnum result = render_->Init(&window_, param_);
    testing_support::KeepGraphicsDriverLoaded();
    return result;
  }

  // One frame: a clear and whatever draw adds, replayed on the device.
  QLResultEnum Frame(const float colour[4], const std::function<void()>& draw = {}) {
    if (!render_->IsReadyToRender()) return QL_FAIL;
    render_->BeginScene();
    render_->Clear(render::kClearColor, colour, 1.0f, 0);
    if (draw) draw();
    render_->EndScene();
    render_->Present();
    return render_->ExecuteCommands();
  }

  std::unique_ptr<render::Texture> WhiteTexture() {
    std::unique_ptr<render::Texture> texture;
    render_->CreateTexture(texture);
    auto white = render_->GetDevice()->CreateTexture(1, 1, 1, platform::TextureFormat::kArgb8);
    platform::LockedLevel level;
    if (white->Lock(0, &level)) {
      *static_cast<std::uint32_t*>(level.bits) = 0xFFFFFFFFu;
      white->Unlock(0);
    }
    static_cast<render::TextureDX9*>(texture.get())->SetDeviceTexture(white);
    return texture;
  }

  std::uint32_t Pixel(int x, int y) { return render_->GetDevice()->ReadPixels({x, y, x + 1, y + 1}).at(0); }

  // The whole back buffer, top row first.
  std::vector<std::uint32_t> Picture() { return render_->GetDevice()->ReadPixels({0, 0, width_, height_}); }

  // Keeps the picture as a PPM file for a look; relative names go beside the
  // test.
  void SavePicture(const std::filesystem::path& path, const std::vector<std::uint32_t>& picture) const {
    std::ofstream ppm(path, std::ios::binary);
    ppm << "P6\n" << width_ << " " << height_ << "\n255\n";
    for (const std::uint32_t argb : picture)
      ppm << static_cast<char>(argb >> 16) << static_cast<char>(argb >> 8) << static_cast<char>(argb);
  }

  // A test that needs a larger screen sets these in its constructor.
  int width_ = kWidth;
  int height_ = kHeight;
  IgnoredInput ignored_;
  input::InputWin32 input_{ignored_, ignored_};
  app::Window window_{&input_, false, false, true};
  render::RenderInitParam param_;
  std::unique_ptr<render::RenderDX9> render_;
};

// A screen of the given size over the game's generated data, which is read
// from the current folder as while the game runs.
class GameDataScreenFixture : public RenderDX9Fixture {
 protected:
  GameDataScreenFixture(int width, int height) {
    width_ = width;
    height_ = height;
  }

  void SetUp() override {
    RenderDX9Fixture::SetUp();
    std::filesystem::current_path(LF_GAME_DATA_ROOT);
    ASSERT_EQ(Start(), QL_OK);
  }
  void TearDown() override {
    RenderDX9Fixture::TearDown();
    std::filesystem::current_path(testFolder_);
  }

  // Where pictures are kept: the test's own folder, not the data.
  const std::filesystem::path testFolder_ = std::filesystem::current_path();
};

}  // namespace render_test
