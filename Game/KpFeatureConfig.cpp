#include "Game/KpFeatureConfig.h"

#include "Core/File/TextFile.h"
#include "Game/XmlAttributes.h"

KpFeatureConfig& KpFeatureConfig::instance() {
  static KpFeatureConfig config(u"kp/config.xml");
  return config;
}

KpFeatureConfig::KpFeatureConfig(const base::WString& path) {
  const std::string text = file::ReadTextFile(path);
  if (text.empty() || document_.Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS) return;
  const tinyxml2::XMLElement* root = document_.FirstChildElement("config");
  if (!root) return;
  features_ = root->FirstChildElement("features");
  loaded_ = true;
}

bool KpFeatureConfig::getBool(const std::string& feature, const std::string& attribute) const {
  const tinyxml2::XMLElement* element = findFeature(feature);
  return element && xml_attributes::ReadBool(*element, attribute.c_str());
}

const tinyxml2::XMLElement* KpFeatureConfig::findFeature(const std::string& name) const {
  if (!loaded_ || !features_) return nullptr;
  for (const tinyxml2::XMLElement* feature = features_->FirstChildElement("feature"); feature;
       feature = feature->NextSiblingElement("feature")) {
    const char* featureName = feature->Attribute("name");
    if (featureName && name == featureName) return feature;
  }
  return nullptr;
}
