#pragma once

#include <vector>

#include "tools/art/Layout.h"

namespace art {

enum class TowerKind { Wick, Sparkstorm, Homeward, Cannon, Brand, Bell, Mortar, Tar, Blight, Watch, Forge, Toll };

struct TowerDesign {
  const char* name;  // group of the layout
  TowerKind kind;
  int tier;          // 1 ... 3; masteries are 4
};

bool IsRotating(TowerKind kind);

struct TowerSheet {
  const char* path;
  std::vector<TowerDesign> towers;
};
const std::vector<TowerSheet>& TowerSheets();

// A tower's groups. Rotating towers: 128 root frames (direction d is frames
// 4d ... 4d + 3, rest then recoil), 32 muzzle markers in "s_point" and
// "base_point"; the others "idle" (6), "blast", "s_point" (where their beam or
// light starts) and "base_point".
void AddTower(Layout& layout, const TowerDesign& tower);
// The mortars' lobbed shell "tower3_1b": spinning "fire" frames, the same as
// its root clock, and the "shot" trail frames.
void AddLobbedShell(Layout& layout);
// A tower at rest, its base point at (x, y), scaled to stand height pixels
// tall: menu icons and pictures.
void DrawTowerPortrait(cairo_t* cr, const TowerDesign& tower, double x, double y, double height);

}  // namespace art
