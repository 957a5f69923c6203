#pragma once

#include "tools/art/Layout.h"

namespace art {

// "kp/data/sides": the strips "l" and "r" that fill the screen left and right
// of the 1024-wide design on wide screens, each a 280 x 768 dusk sky (wide enough for a 21:9 screen) behind
// a lamp-post of the Guild with a parchment banner. "r" is "l" mirrored, so
// the posts face the play area.
void AddBorderSides(Layout& layout);

}  // namespace art
