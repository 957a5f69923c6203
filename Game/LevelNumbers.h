#pragma once

#include <cstdint>

namespace tinyxml2 {
class XMLElement;
}

// Numbers of a level file's attributes, read whatever the process locale. An
// attribute that does not start with a number is logged with the element's
// name and line and gives the fallback; a missing one gives it too, logged
// only when the level cannot do without it.
enum class LevelAttribute { kOptional, kRequired };

int LevelInt(const tinyxml2::XMLElement& element, const char* name, int fallback,
             LevelAttribute need = LevelAttribute::kOptional);
float LevelFloat(const tinyxml2::XMLElement& element, const char* name, float fallback,
                 LevelAttribute need = LevelAttribute::kOptional);

// Toward zero, clamped to the int range; NaN gives 0. Counts and prices of a
// file may hold any float, and a plain conversion of one outside the range
// would be undefined.
int TruncateToInt(float value);

// a + b clamped to the int range: budgets and rewards come from files and
// cheat keys, and an overflowing int would be undefined.
int AddClamped(int a, std::int64_t b);
