#pragma once

#include <vector>

namespace render {
class Graphics;
}
class KpSprite;

// The map's and the towers' pickup lists: sprites lying on the map that a
// click may take.

// Every element draws itself, in list order.
void DrawAllSprites(const std::vector<KpSprite*>& list, render::Graphics& graphics);
// Updates every element and deletes, in place, those no longer alive.
void UpdatePickups(std::vector<KpSprite*>& list, float dt);
// The first ready pickup within the grab distance of the point; null when
// none.
KpSprite* FindPickupAt(const std::vector<KpSprite*>& list, float x, float y);
bool HasPickupAt(const std::vector<KpSprite*>& list, float x, float y);
