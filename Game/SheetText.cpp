#include "Game/SheetText.h"

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<SheetLine> SplitSheetLines(std::string_view text) {
  std::vector<SheetLine> lines;
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    line = Trimmed(line);
    if (!line.empty() && line.back() == '\r') line = Trimmed(line.substr(0, line.size() - 1));
    if (!line.empty()) lines.push_back({line, number});
  }
  return lines;
}

std::vector<std::string> SplitSheetFields(std::string_view line) {
  std::vector<std::string> fields;
  SplitSheetFields(line, fields);
  return fields;
}

void SplitSheetFields(std::string_view line, std::vector<std::string>& fields) {
  std::size_t count = 0;
  while (true) {
    const std::size_t end = line.find(';');
    const std::string_view field = Trimmed(line.substr(0, end));
    if (count < fields.size()) fields[count].assign(field);
    else fields.emplace_back(field);
    ++count;
    if (end == std::string_view::npos) break;
    line.remove_prefix(end + 1);
  }
  fields.resize(count);
}
