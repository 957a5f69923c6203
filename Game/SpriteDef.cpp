#include "Game/SpriteDef.h"

#include <tinyxml2.h>

#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "Core/Render/Image.h"
#include "Framework/GameApplication.h"
#include "Game/FrameBuilders.h"
#include "Game/KpFrameEntry.h"
#include "Game/OwnedPointers.h"

namespace {

base::WString Wide(std::string_view text) { return base::ToWide(text, base::kEncodingUtf8); }

std::string_view Attribute(const tinyxml2::XMLElement& element, const char* name) {
  const char* value = element.Attribute(name);
  return value ? value : "";
}

}  // namespace

SpriteDef::SpriteDef(const base::WString& name) : name_(name), fromLayout_(true) { loadPsd(name); }

SpriteDef::SpriteDef(file::ImageContainer& container, const base::WString& group)
    : name_(u"kp/" + group), fromLayout_(true), imagePath_(name_) {
  loadFromPsd(container, group);
}

SpriteDef::SpriteDef(const tinyxml2::XMLElement& element)
    : name_(u"kp/" + Wide(Attribute(element, "psd"))),
      imagePath_(u"kp/" + Wide(Attribute(element, "img"))),
      imageFile_(Wide(Attribute(element, "img"))) {
  id_ = element.IntAttribute("id", 0);
  if (!Attribute(element, "psd").empty()) {
    fromLayout_ = true;
    loadPsd(name_);
  }
  if (!Attribute(element, "img").empty()) {
    if (framework::GameApplication* application = framework::GameApplication::Instance())
      image_ = application->CreateImage(imagePath_, nullptr).release();
  }
}

SpriteDef::~SpriteDef() {
  for (auto& [name, frames] : groups_) DeleteAllPointers(frames);
  delete image_;
}

void SpriteDef::loadPsd(const base::WString& path) {
  container_.reset(file::FileManager::Instance()->OpenImageContainer(path));
  if (container_) loadFromPsd(*container_, u"");
}

// The frames of a group are the layers directly inside it; layers of its
// sub-groups belong to those.
void SpriteDef::loadFromPsd(file::ImageContainer& container, const base::WString& subPath) {
  for (std::string_view group : kSpriteGroups) {
    base::WString path = subPath;
    if (!group.empty()) path = subPath.empty() ? Wide(group) : subPath + u"/" + Wide(group);
    std::vector<base::WString> entries;
    container.ListImages(path, false, entries, false);
    FrameList frames;
    for (const base::WString& entry : entries) frames.push_back(CreateFrameEntryFromPsd(container, entry));
    FrameList& slot = groups_[std::string(group)];
    DeleteAllPointers(slot);
    slot = std::move(frames);
  }
}

KpFrameEntry* SpriteDef::findFrame(const base::WString& frameName, const std::string& group) const {
  const FrameList* frames = findGroup(group);
  if (!frames) return nullptr;
  for (KpFrameEntry* frame : *frames)
    if (frame->name == frameName) return frame;
  return nullptr;
}

const SpriteDef::FrameList* SpriteDef::findGroup(const std::string& name) const {
  const auto found = groups_.find(name);
  return found == groups_.end() ? nullptr : &found->second;
}

void DeleteAllSpriteDefs(std::vector<SpriteDef*>& list) { DeleteAllPointers(list); }
