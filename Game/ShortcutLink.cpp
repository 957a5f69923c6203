#include "Game/ShortcutLink.h"

#include <algorithm>
#include <cctype>

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Keys and section names of these files are written in any letter case.
bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string ShortcutLink(std::string_view text) {
  bool inShortcut = false;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.starts_with('[')) {
      inShortcut = SameLetters(line, "[InternetShortcut]");
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!inShortcut || equals == std::string_view::npos || !SameLetters(Trimmed(line.substr(0, equals)), "URL")) {
      continue;
    }
    return std::string(Trimmed(line.substr(equals + 1)));
  }
  return {};
}
