#include "Game/LevelFile.h"

#include "Core/Base/LogMessage.h"
#include "Core/Base/NumberText.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/TextFile.h"

bool LevelFile::load(const base::WString& path) {
  map_ = nullptr;
  error_.clear();
  document_.Clear();
  const std::string text = ReadFileToString(path);
  if (text.empty()) return fail(u"The level file '" + path + u"' is missing or empty");
  if (document_.Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS)
    return fail(u"The level file '" + path + u"' is not well-formed: " +
                base::ToWide(document_.ErrorStr(), base::kEncodingUtf8));
  map_ = document_.FirstChildElement("map");
  if (!map_) return fail(u"The level file '" + path + u"' has no map element");
  return true;
}

bool LevelFile::fail(const base::WString& why) {
  error_ = why;
  QL_LOG(u"%s\n").AddArg(why);
  return false;
}

const tinyxml2::XMLElement* LevelFile::child(const char* name) const {
  return map_ ? map_->FirstChildElement(name) : nullptr;
}

int LevelFile::budget() const {
  const tinyxml2::XMLElement* budget = child("budget");
  if (!budget) {
    if (map_) QL_LOG(u"The level has no budget; it starts with no money\n");
    return 0;
  }
  const char* text = budget->GetText();
  if (const std::optional<int> money = base::LeadingInt(text ? text : "")) return *money;
  QL_LOG(u"The level's budget '%s' is not a number; it starts with no money\n")
      .AddArg(base::ToWide(text ? text : "", base::kEncodingUtf8));
  return 0;
}

std::optional<std::string> LevelFile::levelImageText() const {
  const tinyxml2::XMLElement* li = child("li");
  const char* text = li ? li->GetText() : nullptr;
  if (!text) return std::nullopt;
  return std::string(text);
}
