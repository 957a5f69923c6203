#include "Game/ProfileVolumes.h"

#include <algorithm>

#include "Core/Base/NumberText.h"
#include "Core/File/Profiles.h"

namespace {

float VolumeOf(const char* element) {
  const tinyxml2::XMLElement* profile = file::Profiles::Instance()->GetCurrentProfile();
  const tinyxml2::XMLElement* setting = profile ? profile->FirstChildElement(element) : nullptr;
  if (!setting) return 1.0f;
  const char* text = setting->Attribute("v");
  const std::optional<float> value = text ? base::LeadingFloat(text) : std::nullopt;
  // NaN fails both comparisons and ends as silence too.
  if (!value || !(*value > 0.0f)) return 0.0f;
  return std::min(*value, 1.0f);
}

}  // namespace

float ProfileVolumes::GetSoundVolume() { return VolumeOf("sound"); }

float ProfileVolumes::GetMusicVolume() { return VolumeOf("music"); }
