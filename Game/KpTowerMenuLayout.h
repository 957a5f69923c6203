#pragma once

#include <string_view>

#include "Core/Base/MathPoint4.h"
#include "Core/Base/WString.h"

// The menu's angles turn into radians with this factor wherever it draws or
// hit-tests, so an item is hit where it is drawn.
inline constexpr float kMenuDegreesToRadians = 3.14f / 180.0f;

// A point of the tower menu, in map coordinates.
struct MenuPoint {
  float x = 0.0f;
  float y = 0.0f;
};

// What a price label of the menu shows, and in which colour.
struct MenuPriceLabel {
  base::WString text;
  math::Point4 colour;
};

// The point at that angle and distance from the centre: 0 degrees points
// down, 90 right, 180 up, 270 left.
MenuPoint PointOnMenuRing(float centreX, float centreY, float degrees, float distance);

// The key of the map's ability icons that an addon of a prototype shows,
// null for an addon without one. The sheets' short names ("fsplash",
// "boost", "gold", "tele", "aim", "star1") and the icons' own names are both
// understood.
const char* AbilityIconKey(std::string_view addon);

// Where the index-th of count ability marks stands from its item's icon:
// spread evenly over the lower half circle, from lower left to lower right.
MenuPoint AbilityMarkOffset(int index, int count);
