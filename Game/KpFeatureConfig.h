#pragma once

#include <string>

#include <tinyxml2.h>

#include "Core/Base/WString.h"

// The feature switches of "kp/config.xml": "feature" elements under
// config/features, each with a "name" and boolean attributes such as
// "is_active" and "is_free", that turn optional offers and dialogs on. The
// file is read once per run; a missing or damaged file turns every feature
// off. The file's premium product prices are read elsewhere.
class KpFeatureConfig {
 public:
  // Loaded on first use and kept until the process exits.
  static KpFeatureConfig& instance();

  // Reads the switches of that file through the file manager.
  explicit KpFeatureConfig(const base::WString& path);
  KpFeatureConfig(const KpFeatureConfig&) = delete;
  KpFeatureConfig& operator=(const KpFeatureConfig&) = delete;

  // The attribute of the named feature as a boolean: a number at its start,
  // non-zero true, or the word "true"; false for any other text and when the
  // file, the feature or the attribute is missing.
  bool getBool(const std::string& feature, const std::string& attribute) const;
  // The first feature of that exact name; null when none.
  const tinyxml2::XMLElement* findFeature(const std::string& name) const;

  bool loaded() const { return loaded_; }

 private:
  bool loaded_ = false;
  tinyxml2::XMLDocument document_;
  const tinyxml2::XMLElement* features_ = nullptr;
};
