#include <string>

#include "Core/Base/MathTransform2D.h"
#include "Core/Render/BMFont.h"
#include "Core/Render/Graphics.h"
#include "Core/Resource/ResourceManager.h"
#include "Framework/GameApplication.h"
#include "Game/Game.h"
#include "Game/GameWindow.h"
#include "Game/KpMap.h"
#include "Game/KpWaves.h"
#include "Game/LevelNumbers.h"

namespace {

constexpr GameFont kScheduleFont = GameFont::kMain32a;
constexpr float kLineHeight = 20.0f;
// Entry times count in 45ths of a second.
constexpr float kEntryTicksPerSecond = 45.0f;

// One line per wave: each entry's state and the seconds until it spawns.
std::u16string ScheduleLine(const KpWaves& waves, std::size_t index) {
  const KpWaveProto& wave = *waves.waves()[index];
  std::string line;
  for (const KpWaveEntry* entry : wave.entries) {
    const float seconds = waves.globalTimeout() * static_cast<float>(index) + static_cast<float>(wave.timeout) +
                          entry->x / kEntryTicksPerSecond - waves.elapsed() + 0.5f;
    line += std::to_string(entry->state) + "(" + std::to_string(TruncateToInt(seconds)) + "), ";
  }
  return std::u16string(line.begin(), line.end());
}

}  // namespace

// The window's font, else one of the map's own, loaded once.
render::Font* KpMap::debugTextFont() {
  if (render::Font* font = LoadedGameFont(kScheduleFont)) return font;
  if (!debugFont) {
    debugFont = resource::ResourceManager::Instance()->Get<render::BMFont>(GameWindow::fontPath(kScheduleFont));
    if (!debugFont) return nullptr;
    framework::GameApplication* application = framework::GameApplication::Instance();
    debugFont->SetRender(application ? application->GetRender() : nullptr);
    if (!debugFont->IsLoaded()) debugFont->Load();
  }
  return debugFont->IsLoaded() ? debugFont.Get() : nullptr;
}

void KpMap::drawWaveSchedule(render::Graphics& graphics) {
  if (!waves) return;
  render::Font* font = debugTextFont();
  if (!font) return;
  render::Font* previous = graphics.GetFont();
  graphics.SetFont(font);
  for (std::size_t i = 0; i < waves->waves().size(); ++i) {
    const std::u16string line = ScheduleLine(*waves, i);
    graphics.DrawText(line).Translate2D(0.0f, kLineHeight * static_cast<float>(i));
  }
  graphics.SetFont(previous);
}
