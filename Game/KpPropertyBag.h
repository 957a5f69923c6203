#pragma once

#include <map>
#include <string>

namespace tinyxml2 {
class XMLElement;
}

// Named numbers read from the children of one element of a data file: the
// properties of a level's points and build spots and of an upgrade step.
// Each child gives its "name" and its "value"; a later child of the same name
// replaces the earlier one.
class KpPropertyBag {
 public:
  explicit KpPropertyBag(const tinyxml2::XMLElement& element);

  // 0 when the bag has no such property.
  float getFloat(const std::string& name) const;
  // The number as text ("%g"); empty when the bag has no such property.
  std::string getString(const std::string& name) const;

 private:
  void readProperty(const tinyxml2::XMLElement& child);

  std::map<std::string, float> numbers_;
  std::map<std::string, std::string> texts_;
};
