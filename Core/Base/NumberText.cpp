#include "Core/Base/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace base {
namespace {

std::string_view SkipLeadingSpace(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\n\v\f\r");
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

}  // namespace

std::optional<int> LeadingInt(std::string_view text) {
  text = SkipLeadingSpace(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  constexpr long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min(value * 10 + (c - '0'), limit);
  }
  if (negative) return static_cast<int>(-value);
  return static_cast<int>(std::min<long long>(value, std::numeric_limits<int>::max()));
}

std::optional<float> LeadingFloat(std::string_view text) {
  text = SkipLeadingSpace(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  float value = 0.0f;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace base
