#include "Game/XmlAttributes.h"

#include <tinyxml2.h>

#include <cstring>

#include "Core/Base/Format.h"
#include "Core/Base/NumberText.h"

namespace xml_attributes {

int ReadInt(const tinyxml2::XMLElement& element, const char* name, int fallback) {
  const char* text = element.Attribute(name);
  return text ? base::LeadingInt(text).value_or(fallback) : fallback;
}

std::optional<bool> BoolText(const char* text) {
  if (const auto number = base::LeadingInt(text)) return *number != 0;
  for (const char* word : {"true", "True", "TRUE"})
    if (std::strcmp(text, word) == 0) return true;
  for (const char* word : {"false", "False", "FALSE"})
    if (std::strcmp(text, word) == 0) return false;
  return std::nullopt;
}

bool ReadBool(const tinyxml2::XMLElement& element, const char* name, bool fallback) {
  const char* text = element.Attribute(name);
  return text ? BoolText(text).value_or(fallback) : fallback;
}

float ReadFloat(const tinyxml2::XMLElement& element, const char* name, float fallback) {
  const char* text = element.Attribute(name);
  return text ? base::LeadingFloat(text).value_or(fallback) : fallback;
}

void WriteBool(tinyxml2::XMLElement& element, const char* name, bool value) {
  element.SetAttribute(name, value ? 1 : 0);
}

void WriteFloat(tinyxml2::XMLElement& element, const char* name, float value) {
  NarrowFormat text("%f");
  text.AddFloat(value).Finish();
  element.SetAttribute(name, text.Text().c_str());
}

bool TextEquals(const tinyxml2::XMLElement& element, const char* name, std::string_view text) {
  const char* value = element.Attribute(name);
  return value && text == value;
}

tinyxml2::XMLElement& NewFirstChild(tinyxml2::XMLElement& parent, const char* name) {
  tinyxml2::XMLElement* child = parent.GetDocument()->NewElement(name);
  parent.InsertFirstChild(child);
  return *child;
}

tinyxml2::XMLElement& ChildOrNew(tinyxml2::XMLElement& parent, const char* name, bool* created) {
  tinyxml2::XMLElement* child = parent.FirstChildElement(name);
  if (created) *created = !child;
  return child ? *child : NewFirstChild(parent, name);
}

}  // namespace xml_attributes
