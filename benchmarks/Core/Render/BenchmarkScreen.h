#pragma once

#include <cstdint>
#include <memory>

#include "Core/App/Window.h"
#include "Core/Input/CoordConverter.h"
#include "Core/Input/InputListener.h"
#include "Core/Input/Win32/InputWin32.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/Image.h"

namespace render_bench {

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
  IgnoredInput ignored_;
  input::InputWin32 input_{ignored_, ignored_};
  app::Window window_{&input_, false, false, true};
  std::unique_ptr<render::RenderDX9> render_;
};

}  // namespace render_bench
