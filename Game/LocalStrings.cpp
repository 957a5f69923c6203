#include "Game/LocalStrings.h"

#include <string>

#include "Core/Base/LogMessage.h"
#include "Core/Base/Utf.h"
#include "Core/File/TextFile.h"

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Backslash 'n' becomes a line break; any other backslash stays. A text of
// one character is taken as it is.
base::WString WithLineBreaks(const base::WString& text) {
  if (text.size() < 2 || text.find(u'\\') == base::WString::npos) return text;
  base::WString result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'n') {
      result += u'\n';
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

}  // namespace

LocalStrings::LocalStrings() { load(u"kp/strings_en.csv"); }

void LocalStrings::load(const base::WString& path) {
  const std::string text = file::ReadTextFile(path);
  std::string_view rest = text;
  for (int number = 1; !rest.empty(); ++number) {
    const std::size_t end = rest.find('\n');
    readLine(rest.substr(0, end), number, path);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
}

void LocalStrings::readLine(std::string_view line, int number, const base::WString& path) {
  // A line of a file saved with CR LF ends in a carriage return, whether or
  // not it holds a text.
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  line = Trimmed(line);
  if (line.empty()) return;
  if (!base::IsValidUtf8(line)) {
    QL_LOG(u"Line %d of '%s' is not valid UTF-8 and is skipped\n").AddArg(number).AddArg(path);
    return;
  }
  const std::size_t keyEnd = line.find(';');
  const std::string_view key = Trimmed(line.substr(0, keyEnd));
  std::string_view value;
  if (keyEnd != std::string_view::npos) {
    const std::string_view fields = line.substr(keyEnd + 1);
    value = Trimmed(fields.substr(0, fields.find(';')));
  }
  strings_[base::WideFromUtf8Lenient(key)] = base::WideFromUtf8Lenient(value);
}

base::WString LocalStrings::getString(const base::WString& key) {
  const auto found = strings_.find(key);
  if (found != strings_.end()) return WithLineBreaks(found->second);
  strings_[key] = key;
  missing_.record(key);
  return WithLineBreaks(key);
}
