#include "Game/XmlNumbers.h"

#include <tinyxml2.h>

#include "Core/Base/NumberText.h"

namespace {

const char* TextOf(const tinyxml2::XMLElement& element, const char* name) {
  const char* text = element.Attribute(name);
  return text ? text : "";
}

}  // namespace

float FloatAttribute(const tinyxml2::XMLElement& element, const char* name) {
  return base::LeadingFloat(TextOf(element, name)).value_or(0.0f);
}

int IntAttribute(const tinyxml2::XMLElement& element, const char* name) {
  return base::LeadingInt(TextOf(element, name)).value_or(0);
}
