#pragma once

#include <cstdint>
#include <memory>

#include "Core/App/Window.h"
#include "Core/Input/Win32/InputWin32.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/Image.h"
#include "tests/Support/IgnoredInput.h"

namespace render_bench {


inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;

// A game-sized window whose renderer is started by Start; everything goes
// when the screen does.
class BenchmarkScreen {
 public:
  BenchmarkScreen();
  ~BenchmarkScreen();

  bool Start();
  render::RenderDX9& GetRender() { return *render_; }
  // An image over a texture of the given size, every pixel the colour.
  std::unique_ptr<render::Image> MakeImage(int width, int height, std::uint32_t argb);

 private:
  testing_support::IgnoredInput ignored_;
  input::InputWin32 input_{ignored_, ignored_};
  app::Window window_{&input_, false, false, true};
  std::unique_ptr<render::RenderDX9> render_;
};

}  // namespace render_bench
