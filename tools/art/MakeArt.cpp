// make_art <data root> <contact sheet .png> <levels folder> [map ...]: draws
// the game's sprite layouts (units, towers, interface parts) as layer folders,
// each with one atlas, and the plain images beside them; the map layout of
// every level in the folder, the maps named after it ("e1_l5") as PSD
// documents; then a contact sheet of it all.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tools/art/BorderSides.h"
#include "tools/art/ContactSheet.h"
#include "tools/art/Layout.h"
#include "tools/art/MapLevel.h"
#include "tools/art/Maps.h"
#include "tools/art/Towers.h"
#include "tools/art/UiParts.h"
#include "tools/art/Units.h"

namespace {

// Runs work(0) ... work(count - 1) on every core.
void InParallel(std::size_t count, const std::function<void(std::size_t)>& work) {
  std::atomic<std::size_t> next{0};
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> pool;
  for (unsigned t = 0; t < threads; ++t) {
    pool.emplace_back([&] {
      for (std::size_t i = next++; i < count; i = next++) work(i);
    });
  }
  for (std::thread& thread : pool) thread.join();
}

std::vector<art::Layout> GameLayouts() {
  std::vector<art::Layout> layouts;
  for (const art::UnitSheet& sheet : art::UnitSheets()) {
    art::Layout& layout = layouts.emplace_back(sheet.path);
    for (const art::UnitDesign& unit : sheet.units) art::AddUnit(layout, unit);
  }
  for (const art::TowerSheet& sheet : art::TowerSheets()) {
    art::Layout& layout = layouts.emplace_back(sheet.path);
    for (const art::TowerDesign& tower : sheet.towers) art::AddTower(layout, tower);
    if (layout.Path() == "kp/towers/artillery") art::AddLobbedShell(layout);
  }
  art::AddUiParts(layouts.emplace_back("kp/data/ui_parts"));
  art::AddBorderSides(layouts.emplace_back("kp/data/sides"));
  return layouts;
}

// One layout per map that the levels of the folder name, in file name order.
bool AddMapLayouts(const std::filesystem::path& levels, const std::set<std::string>& documents,
                   std::vector<art::Layout>& layouts) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(levels, error))
    if (entry.path().extension() == ".xml") files.push_back(entry.path());
  if (error || files.empty()) {
    std::fprintf(stderr, "%s: no levels to draw maps for\n", levels.c_str());
    return false;
  }
  std::sort(files.begin(), files.end());
  std::set<std::string> drawn;
  for (const std::filesystem::path& file : files) {
    const std::optional<art::MapLevel> level = art::ReadMapLevel(file);
    if (!level) return false;
    if (!drawn.insert(level->layout).second) continue;
    const std::string name = std::filesystem::path(level->layout).filename().string();
    art::AddMap(layouts.emplace_back(level->layout, documents.count(name) ? art::LayoutFile::Psd
                                                                           : art::LayoutFile::Folder),
                *level);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_art <data root> <contact sheet .png> <levels folder> [map ...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const std::filesystem::path root = argv[1];
  std::vector<art::Layout> layouts = GameLayouts();
  const std::size_t sprites = layouts.size();
  if (!AddMapLayouts(argv[3], std::set<std::string>(argv + 4, argv + argc), layouts)) return 1;

  std::vector<art::LayoutFrame*> frames;
  for (art::Layout& layout : layouts)
    for (art::LayoutFrame& frame : layout.Frames()) frames.push_back(&frame);
  InParallel(frames.size(), [&](std::size_t i) { art::Layout::Draw(*frames[i]); });

  // Encoding the atlases is most of the work: the plain images go beside it.
  std::atomic<bool> ok{true};
  InParallel(layouts.size() + 1, [&](std::size_t i) {
    if (i == layouts.size()) {
      if (!art::WritePlainImages(root)) ok = false;
      return;
    }
    layouts[i].CentreOnBase();
    if (!layouts[i].Write(root)) ok = false;
  });
  const std::vector<art::Layout> maps(std::make_move_iterator(layouts.begin() + static_cast<std::ptrdiff_t>(sprites)),
                                      std::make_move_iterator(layouts.end()));
  layouts.erase(layouts.begin() + static_cast<std::ptrdiff_t>(sprites), layouts.end());
  if (!art::WriteContactSheet(layouts, maps, argv[2])) ok = false;
  const auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("make_art: %zu layers in %zu layouts and %zu maps, %.2f s\n", frames.size(), layouts.size(),
              maps.size(), elapsed);
  return ok ? 0 : 1;
}
