#include "Game/ProfileVolumes.h"

#include <algorithm>

#include "Core/File/Profiles.h"
#include "Game/XmlAttributes.h"

namespace {

float VolumeOf(const char* element) {
  const tinyxml2::XMLElement* profile = file::Profiles::Instance()->GetCurrentProfile();
  const tinyxml2::XMLElement* setting = profile ? profile->FirstChildElement(element) : nullptr;
  if (!setting) return 1.0f;
  const float value = xml_attributes::ReadFloat(*setting, "v");
  // NaN fails the comparison and ends as silence too.
  if (!(value > 0.0f)) return 0.0f;
  return std::min(value, 1.0f);
}

}  // namespace

float ProfileVolumes::GetSoundVolume() { return VolumeOf("sound"); }

float ProfileVolumes::GetMusicVolume() { return VolumeOf("music"); }
