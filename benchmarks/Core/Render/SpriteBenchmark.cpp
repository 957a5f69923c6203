#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "Core/Base/MathRect.h"
#include "Core/Render/DrawParamQuad.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/Vertices.h"
#include "benchmarks/Core/Render/BenchmarkScreen.h"

namespace {

using render_bench::BenchmarkScreen;

constexpr int kSpriteSize = 32;
constexpr float kBlack[4] = {0, 0, 0, 1};

// Sprites spread over the screen, each a 32 x 32 cell of a 256 x 256 atlas
// or a whole 32 x 32 texture.
struct SpriteScene {
  explicit SpriteScene(BenchmarkScreen& screen) {
    atlas = screen.MakeImage(256, 256, 0xFFFFFFFFu);
    for (std::size_t i = 0; i < textures.size(); ++i) {
      textures[i] = screen.MakeImage(kSpriteSize, kSpriteSize, 0xFF000000u | static_cast<std::uint32_t>(0x40 << i));
    }
  }

  static render::Point Place(int i) {
    return {static_cast<float>((i * 37) % (render_bench::kScreenWidth - kSpriteSize)),
            static_cast<float>((i * 53) % (render_bench::kScreenHeight - kSpriteSize))};
  }

  void Draw(render::Graphics& graphics, int count, bool interleaved) const {
    for (int i = 0; i < count; ++i) {
      const render::Point at = Place(i);
      if (interleaved) {
        graphics.DrawImage(textures[static_cast<std::size_t>(i) % textures.size()].get()).Translate2D(at.x, at.y);
      } else {
        const math::Rect cell{static_cast<float>(i % 8 * kSpriteSize), static_cast<float>(i / 8 % 8 * kSpriteSize),
                                kSpriteSize, kSpriteSize};
        graphics.DrawImageRegion(atlas.get(), cell).Translate2D(at.x, at.y);
      }
    }
  }

  std::unique_ptr<render::Image> atlas;
  std::array<std::unique_ptr<render::Image>, 4> textures;
};

void Record(render::Render& render, const SpriteScene& scene, int count, bool interleaved) {
  render.BeginScene();
  render.Clear(render::kClearColor, kBlack, 1.0f, 0);
  {
    render::Graphics graphics(render);
    scene.Draw(graphics, count, interleaved);
  }
  render.EndScene();
}

void Replay(render::Render& render) {
  render.Present();
  render.ExecuteCommands();
}

// range(0): sprites; range(1): 1 for four textures taken in turn, 0 for one
// atlas.
void BM_RecordSprites(benchmark::State& state) {
  BenchmarkScreen screen;
  if (!screen.Start()) return state.SkipWithError("no renderer");
  const SpriteScene scene(screen);
  const auto count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Record(screen.GetRender(), scene, count, state.range(1) != 0);
    state.PauseTiming();
    Replay(screen.GetRender());
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RecordSprites)->ArgNames({"sprites", "interleaved"})->ArgsProduct({{6000}, {0, 1}});
BENCHMARK(BM_RecordSprites)->ArgNames({"sprites", "interleaved"})->Args({100000, 0})->Iterations(5);

void BM_ReplaySprites(benchmark::State& state) {
  BenchmarkScreen screen;
  if (!screen.Start()) return state.SkipWithError("no renderer");
  const SpriteScene scene(screen);
  const auto count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Record(screen.GetRender(), scene, count, state.range(1) != 0);
    state.ResumeTiming();
    Replay(screen.GetRender());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ReplaySprites)->ArgNames({"sprites", "interleaved"})->ArgsProduct({{6000}, {0, 1}});

// What recording is measured against: the same quads written straight into
// an array.
void BM_FillVertexArray(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  std::vector<render::SVertex2D> vertices(count * 4);
  std::vector<std::uint16_t> indices(count * 6);
  for (auto _ : state) {
    for (std::uint32_t i = 0; i < count; ++i) {
      const render::Point at = SpriteScene::Place(static_cast<int>(i));
      const render::QuadEdges position{at.x - 0.5f, at.y - 0.5f, at.x + kSpriteSize - 0.5f,
                                       at.y + kSpriteSize - 0.5f};
      render::FillQuad(position, {0.0f, 0.0f, 0.125f, 0.125f}, 0xFFFFFFFFu, 0x00FFu, i * 4 % 65536,
                       &vertices[i * 4], &indices[i * 6]);
    }
    benchmark::DoNotOptimize(vertices.data());
    benchmark::DoNotOptimize(indices.data());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_FillVertexArray)->ArgName("sprites")->Arg(6000);

}  // namespace
