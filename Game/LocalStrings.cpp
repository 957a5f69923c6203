#include "Game/LocalStrings.h"

#include <string>
#include <utility>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextTokenizer.h"
#include "Core/Base/Utf.h"
#include "Core/File/TextFile.h"

namespace {

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
  TextTokenizer lines(file::ReadTextFile(path), '\n', false);
  int number = 0;
  for (std::string line; lines.NextToken(&line);) readLine(std::move(line), ++number, path);
}

void LocalStrings::readLine(std::string line, int number, const base::WString& path) {
  // A line of a file saved with CR LF ends in a carriage return, whether or
  // not it holds a text.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  TextTokenizer::Trim(line);
  if (line.empty()) return;
  if (!base::IsValidUtf8(line)) {
    QL_LOG(u"Line %d of '%s' is not valid UTF-8 and is skipped\n").AddArg(number).AddArg(path);
    return;
  }
  TextTokenizer fields(std::move(line), ';', false);
  std::string key;
  std::string text;
  fields.NextToken(&key);
  fields.NextToken(&text);
  strings_[base::WideFromUtf8Lenient(key)] = base::WideFromUtf8Lenient(text);
}

base::WString LocalStrings::getString(const base::WString& key) {
  const auto found = strings_.find(key);
  if (found != strings_.end()) return WithLineBreaks(found->second);
  strings_[key] = key;
  missing_.record(key);
  return WithLineBreaks(key);
}
