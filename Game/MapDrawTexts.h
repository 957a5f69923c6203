#pragma once

#include <cstddef>
#include <cstdint>

#include "Core/Base/WString.h"

namespace render {
class Graphics;
}
class KpFrameEntry;
class KpMap;

// What a wave hint says while the player waits: "game_incoming" once less
// than a whole second is left (or the wave is already late), otherwise
// "game_nextwave" followed by the whole seconds left.
base::WString NextWaveText(float secondsLeft);

// Where a hint's text stands, in screen units, and which of its ends is
// there (render::kAnchorLeft or render::kAnchorRight; it is centred
// vertically).
struct NextWaveTextPlace {
  float x = 0.0f;
  float y = 0.0f;
  std::int32_t anchorX = 0;
};

// Beside the hint, away from the nearer side of the design screen: to the
// right of a hint on its left half, to the left of one on its right half.
// The text of each later hint stands 25 map units higher, so hints at the
// same place do not write over each other. A screen point is a map point
// times mapScale plus the offset.
NextWaveTextPlace PlaceNextWaveText(const KpFrameEntry& hint, std::size_t index, float mapScale, float mapOffsetX,
                                    float mapOffsetY);

// The next-wave texts beside the map's wave hints.
void DrawNextWaveTexts(render::Graphics& graphics, const KpMap& map);

// The reach of every area effect and tower, each tower's level beside it.
void DrawAreaDebugView(render::Graphics& graphics, const KpMap& map);
