#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "Core/Render/BMFont.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Resource/ResourceManager.h"
#include "Platform/GraphicsDevice.h"
#include "benchmarks/Core/Render/BenchmarkScreen.h"

namespace {

constexpr int kGlyphs = 10000;
constexpr int kLabelLength = 10;

// A headless screen with the game's generated font "main_32_1" loaded from
// the generated data, as the game reads it.
class TextScreen {
 public:
  TextScreen() : previousFolder_(std::filesystem::current_path()) {
    std::filesystem::current_path(LF_GAME_DATA_ROOT);
    if (!screen_.Start()) return;
    font_ = resource::ResourceManager::Instance()->Get<render::BMFont>(u"kp/data/fonts/main_32_1");
    if (!font_) return;
    font_->SetRender(&screen_.GetRender());
    ready_ = font_->Load() == QL_OK;
  }

  ~TextScreen() {
    font_.Release();
    std::filesystem::current_path(previousFolder_);
  }

  bool IsReady() const { return ready_; }

  // Records one frame of the texts, each at its own place.
  bool Record(const std::vector<base::WString>& texts) {
    render::RenderDX9& render = screen_.GetRender();
    if (!render.IsReadyToRender() || render.BeginScene() != QL_OK) return false;
    const float black[4] = {0, 0, 0, 1};
    render.Clear(render::kClearColor, black, 1.0f, 0);
    {
      render::Graphics g(render);
      g.SetFont(font_.Get());
      for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto x = static_cast<float>(i * 37 % render_bench::kScreenWidth);
        const auto y = static_cast<float>(i * 23 % render_bench::kScreenHeight);
        g.DrawText(texts[i]).Translate2D(x, y);
      }
    }
    return render.EndScene() == QL_OK;
  }

  // Reading a pixel back waits until the device has drawn it all.
  bool Replay() {
    render::RenderDX9& render = screen_.GetRender();
    return render.ExecuteCommands() == QL_OK && !render.GetDevice()->ReadPixels({0, 0, 1, 1}).empty();
  }

 private:
  std::filesystem::path previousFolder_;
  render_bench::BenchmarkScreen screen_;
  resource::ResourceHandle<render::BMFont> font_;
  bool ready_ = false;
};

base::WString Letters(int count) {
  base::WString text;
  for (int i = 0; i < count; ++i) text += static_cast<char16_t>(u'A' + i % 26);
  return text;
}

enum class Timed { kRecording, kRecordingAndReplay };

void RunFrames(benchmark::State& state, const std::vector<base::WString>& texts, Timed timed) {
  TextScreen screen;
  if (!screen.IsReady()) {
    state.SkipWithError("no screen or no font");
    return;
  }
  for (auto _ : state) {
    bool drawn = screen.Record(texts);
    if (timed == Timed::kRecording) state.PauseTiming();
    drawn = drawn && screen.Replay();
    if (timed == Timed::kRecording) state.ResumeTiming();
    if (!drawn) {
      state.SkipWithError("the frame failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * kGlyphs);
}

// Many short labels, as the HUD draws them: the per-call cost dominates.
std::vector<base::WString> Labels() { return std::vector<base::WString>(kGlyphs / kLabelLength, Letters(kLabelLength)); }

// One long text of short lines: the per-glyph cost dominates. Most of its
// lines lie below the screen, so the device has little to fill.
std::vector<base::WString> OneLongText() {
  base::WString text;
  for (int line = 0; line < kGlyphs / kLabelLength; ++line) text += Letters(kLabelLength) + u'\n';
  return {text};
}

void BM_RecordLabels(benchmark::State& state) { RunFrames(state, Labels(), Timed::kRecording); }
BENCHMARK(BM_RecordLabels)->Unit(benchmark::kMillisecond);

void BM_RecordAndReplayLabels(benchmark::State& state) { RunFrames(state, Labels(), Timed::kRecordingAndReplay); }
BENCHMARK(BM_RecordAndReplayLabels)->Unit(benchmark::kMillisecond);

void BM_RecordOneLongText(benchmark::State& state) { RunFrames(state, OneLongText(), Timed::kRecording); }
BENCHMARK(BM_RecordOneLongText)->Unit(benchmark::kMillisecond);

void BM_RecordAndReplayOneLongText(benchmark::State& state) {
  RunFrames(state, OneLongText(), Timed::kRecordingAndReplay);
}
BENCHMARK(BM_RecordAndReplayOneLongText)->Unit(benchmark::kMillisecond);

}  // namespace
