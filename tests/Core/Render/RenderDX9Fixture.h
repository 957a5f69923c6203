#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "Core/App/Window.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Input/Win32/InputWin32.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/BMFont.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Platform/Session.h"
#include "Core/Resource/ResourceManager.h"
#include "tests/Core/Render/FakeDevice.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/IgnoredInput.h"
#include "tests/Support/SavePng.h"

namespace render_test {


inline constexpr int kWidth = 32;
inline constexpr int kHeight = 24;

// Pixels from left and top up to, not including, right and bottom.
struct PixelBox {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PixelBox&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const PixelBox& box) {
  return out << "x " << box.left << ".." << box.right << ", y " << box.top << ".." << box.bottom;
}

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

  // The smallest box around the pixels whose green is brighter than
  // threshold; all zero when none is.
  PixelBox LitBox(const std::vector<std::uint32_t>& picture, std::uint32_t threshold = 0x40) const {
    PixelBox box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (((picture[static_cast<std::size_t>(y * width_ + x)] >> 8) & 0xFFu) <= threshold) continue;
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
      }
    }
    return box.left < box.right ? box : PixelBox{};
  }

  // Keeps the picture as a PNG file for a look; relative names go beside the
  // test.
  void SavePicture(const std::filesystem::path& path, const std::vector<std::uint32_t>& picture) const {
    EXPECT_TRUE(testing_support::SavePng(path, picture, width_, height_)) << path;
  }

  // A test that needs a larger screen sets these in its constructor.
  int width_ = kWidth;
  int height_ = kHeight;
  testing_support::IgnoredInput ignored_;
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

  // A font of the generated data by its name under kp/data/fonts, loaded for
  // this screen; empty when it does not load.
  resource::ResourceHandle<render::BMFont> GameFont(const base::WString& name) {
    auto font = resource::ResourceManager::Instance()->Get<render::BMFont>(u"kp/data/fonts/" + name);
    if (!font) return font;
    font->SetRender(render_.get());
    if (font->Load() != QL_OK) font.Release();
    return font;
  }

  // Where pictures are kept: the test's own folder, not the data.
  const std::filesystem::path testFolder_ = std::filesystem::current_path();
};

}  // namespace render_test
