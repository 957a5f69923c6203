#include "Game/LevelNumbers.h"

#include <tinyxml2.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>

#include "Core/Base/LogMessage.h"
#include "Core/Base/NumberText.h"
#include "Core/Base/TextConversion.h"

namespace {

base::WString Wide(const char* text) { return base::ToWide(text ? text : "", base::kEncodingUtf8); }

template <class Number, class Reader>
Number ReadAttribute(const tinyxml2::XMLElement& element, const char* name, Number fallback, LevelAttribute need,
                     Reader read) {
  const char* text = element.Attribute(name);
  if (!text) {
    if (need == LevelAttribute::kRequired)
      QL_LOG(u"Level element <%s> on line %d has no attribute '%s'\n")
          .AddArg(Wide(element.Name()))
          .AddArg(element.GetLineNum())
          .AddArg(Wide(name));
    return fallback;
  }
  if (const std::optional<Number> number = read(text)) return *number;
  QL_LOG(u"Level element <%s> on line %d: attribute '%s' = '%s' is not a number\n")
      .AddArg(Wide(element.Name()))
      .AddArg(element.GetLineNum())
      .AddArg(Wide(name))
      .AddArg(Wide(text));
  return fallback;
}

}  // namespace

int LevelInt(const tinyxml2::XMLElement& element, const char* name, int fallback, LevelAttribute need) {
  return ReadAttribute(element, name, fallback, need, base::LeadingInt);
}

float LevelFloat(const tinyxml2::XMLElement& element, const char* name, float fallback, LevelAttribute need) {
  return ReadAttribute(element, name, fallback, need, base::LeadingFloat);
}

int TruncateToInt(float value) {
  if (std::isnan(value)) return 0;
  // 2^31 is exactly a float; every float below it truncates into range.
  if (value >= 2147483648.0f) return INT_MAX;
  if (value <= -2147483648.0f) return INT_MIN;
  return static_cast<int>(value);
}

int AddClamped(int a, std::int64_t b) {
  const std::int64_t sum = a + b;
  return static_cast<int>(std::clamp<std::int64_t>(sum, INT_MIN, INT_MAX));
}
