#include "Core/Base/TextTokenizer.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

#include "Core/Base/NumberText.h"

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Values beyond int or float have no representation there (the conversion
// would be undefined), so the nearest representable value is taken.
int ParseIntClamped(const std::string& token) { return base::LeadingInt(token).value_or(0); }

float ParseFloatClamped(const std::string& token) {
  constexpr double kLargest = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(std::strtod(token.c_str(), nullptr), -kLargest, kLargest));
}

}  // namespace

TextTokenizer::TextTokenizer(std::string text, char delimiter, bool skipEmpty)
    : text_(std::move(text)), delimiter_(delimiter), skipEmpty_(skipEmpty) {
  Trim(text_);
}

std::string_view TextTokenizer::TakeRawToken(std::size_t& position) const {
  const std::size_t end = text_.find(delimiter_, position);
  const std::string_view token = std::string_view(text_).substr(position, end - position);
  position = end == std::string::npos ? kNoTokenLeft : end + 1;
  return token;
}

bool TextTokenizer::NextToken(std::string* token) {
  while (position_ != kNoTokenLeft) {
    const std::string_view trimmed = TrimBlanks(TakeRawToken(position_));
    if (skipEmpty_ && trimmed.empty()) {
      continue;
    }
    if (token) {
      token->assign(trimmed);
    }
    return true;
  }
  return false;
}

TextTokenizer& TextTokenizer::NextInt(int& value) {
  std::string token;
  if (NextToken(&token)) {
    value = ParseIntClamped(token);
  }
  return *this;
}

TextTokenizer& TextTokenizer::NextFloat(float& value) {
  std::string token;
  if (NextToken(&token)) {
    value = ParseFloatClamped(token);
  }
  return *this;
}

int TextTokenizer::CountTokens() {
  if (!tokenCount_) {
    int count = 0;
    if (skipEmpty_) {
      for (std::size_t position = 0; position != kNoTokenLeft;) {
        count += TrimBlanks(TakeRawToken(position)).empty() ? 0 : 1;
      }
    } else {
      count = static_cast<int>(std::count(text_.begin(), text_.end(), delimiter_)) + 1;
    }
    tokenCount_ = count;
  }
  return *tokenCount_;
}

void TextTokenizer::Trim(std::string& text) {
  text = std::string(TrimBlanks(text));
}
