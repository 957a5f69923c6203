#include "benchmarks/Core/Render/BenchmarkScreen.h"

#include "Core/Base/SingletonRegistry.h"
#include "Platform/Session.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/SolidImage.h"

namespace render_bench {

BenchmarkScreen::BenchmarkScreen() {
  platform::Startup();
  window_.Create({0, 0}, {kScreenWidth, kScreenHeight}, {kScreenWidth, kScreenHeight}, true, u"render benchmark");
}

BenchmarkScreen::~BenchmarkScreen() {
  render_.reset();
  SingletonRegistry::Shutdown();
  platform::Shutdown();
}

bool BenchmarkScreen::Start() {
  render::RenderInitParam param;
  param.width = kScreenWidth;
  param.height = kScreenHeight;
  render_ = std::make_unique<render::RenderDX9>();
  const bool started = render_->Init(&window_, param) == QL_OK;
  testing_support::KeepGraphicsDriverLoaded();
  return started;
}

std::unique_ptr<render::Image> BenchmarkScreen::MakeImage(int width, int height, std::uint32_t argb) {
  return testing_support::MakeSolidImage(*render_, width, height, argb);
}

}  // namespace render_bench
