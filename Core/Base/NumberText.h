#pragma once

#include <optional>
#include <string_view>

namespace base {

// The number at the start of a text, as "%d" and "%f" read it but whatever
// the process locale: leading white space is skipped, a sign is taken, and
// reading stops at the first character that does not belong to the number.
// Nothing when the text does not start with a number. Integers beyond the
// int range are clamped to it; floats that are not finite are no number.
std::optional<int> LeadingInt(std::string_view text);
std::optional<float> LeadingFloat(std::string_view text);

}  // namespace base
