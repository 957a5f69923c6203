#include "Game/KpPropertyBag.h"

#include <tinyxml2.h>

#include "Core/Base/Format.h"
#include "Core/Base/NumberText.h"

KpPropertyBag::KpPropertyBag(const tinyxml2::XMLElement& element) {
  for (const tinyxml2::XMLElement* child = element.FirstChildElement(); child;
       child = child->NextSiblingElement())
    readProperty(*child);
}

void KpPropertyBag::readProperty(const tinyxml2::XMLElement& child) {
  // A child without a name is the property of the empty name; one without a
  // readable value is 0, as a value that does not start with a number is.
  const char* name = child.Attribute("name");
  const std::string key = name ? name : "";
  const char* valueText = child.Attribute("value");
  const float value = base::LeadingFloat(valueText ? valueText : "").value_or(0.0f);
  numbers_[key] = value;
  NarrowFormat text("%g");
  text.AddFloat(value).Finish();
  texts_[key] = text.Text();
}

float KpPropertyBag::getFloat(const std::string& name) const {
  const auto found = numbers_.find(name);
  return found == numbers_.end() ? 0.0f : found->second;
}

std::string KpPropertyBag::getString(const std::string& name) const {
  const auto found = texts_.find(name);
  return found == texts_.end() ? std::string() : found->second;
}
