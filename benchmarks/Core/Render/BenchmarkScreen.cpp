#include "benchmarks/Core/Render/BenchmarkScreen.h"

#include "Core/Base/SingletonRegistry.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Platform/Session.h"
#include "Platform/ShaderCompiler.h"
#include "tests/Support/GraphicsDriver.h"

namespace render_bench {

BenchmarkScreen::BenchmarkScreen() {
  platform::Startup();
  window_.Create({0, 0}, {kScreenWidth, kScreenHeight}, {kScreenWidth, kScreenHeight}, true, u"render benchmark");
}

BenchmarkScreen::~BenchmarkScreen() {
  render_.reset();
  SingletonRegistry::Shutdown();
  platform::ShutdownShaderCompiler();
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
  std::unique_ptr<render::TextureDX9> texture;
  if (render::TextureDX9::Create(*render_, &texture) != QL_OK || texture->CreateDynamic(width, height) != QL_OK) {
    return nullptr;
  }
  std::uint32_t size = 0;
  int pitch = 0;
  void* bits = nullptr;
  if (texture->Lock(&size, &pitch, &bits) != QL_OK) return nullptr;
  auto* row = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < height; ++y, row += pitch) {
    for (int x = 0; x < width; ++x) reinterpret_cast<std::uint32_t*>(row)[x] = argb;
  }
  texture->Unlock();
  return std::make_unique<render::Image>(std::move(texture));
}

}  // namespace render_bench
