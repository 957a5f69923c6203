#include "Game/KpResources.h"

#include <tinyxml2.h>

#include <memory>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "Game/KpFrameEntry.h"
#include "Game/SpriteDef.h"

KpResources::~KpResources() { clear(); }

SpriteDef* KpResources::getSprite(const base::WString& name) {
  if (SpriteDef* found = findSprite(name)) return found;
  sprites_.push_back(new SpriteDef(name));
  return sprites_.back();
}

SpriteDef* KpResources::findSprite(const base::WString& name) const {
  for (SpriteDef* sprite : sprites_)
    if (sprite->name() == name) return sprite;
  return nullptr;
}

// A cached definition is reused only when both its layout and its image
// match: a request naming only a layout must not get a definition that also
// carries an image, nor one naming only an image the definition of another
// image. Definitions of shared layout groups carry no image, so a layout
// named alone finds them.
SpriteDef* KpResources::spriteFromXml(const tinyxml2::XMLElement& element) {
  const char* psd = element.Attribute("psd");
  const char* img = element.Attribute("img");
  const std::string_view layout = psd ? psd : "";
  const std::string_view image = img ? img : "";
  if (layout.empty() && image.empty()) return nullptr;
  const base::WString name = u"kp/" + base::ToWide(layout, base::kEncodingUtf8);
  const base::WString imageFile = base::ToWide(image, base::kEncodingUtf8);
  for (SpriteDef* sprite : sprites_)
    if (sprite->name() == name && sprite->imageFile() == imageFile) return sprite;
  sprites_.push_back(new SpriteDef(element));
  return sprites_.back();
}

void KpResources::loadFolder(const base::WString& path) {
  const std::unique_ptr<file::ImageContainer> layout(file::FileManager::Instance()->OpenImageContainer(path));
  if (!layout) return;
  std::vector<base::WString> groups;
  layout->ListFolders(u"", groups, true);
  for (const base::WString& group : groups) sprites_.push_back(new SpriteDef(*layout, group));
}

void KpResources::loadSharedLayouts() {
  for (const char16_t* layout : {u"kp/units/t1units", u"kp/units/t2units", u"kp/units/t3units", u"kp/towers/artillery",
                                 u"kp/towers/dart", u"kp/towers/cannon", u"kp/towers/support", u"kp/data/ui_parts"})
    loadFolder(layout);
}

render::Image* KpResources::findImage(const base::WString& spriteName, const base::WString& frameName) const {
  const KpFrameEntry* entry = findFrame(spriteName, frameName, "");
  if (!entry || !entry->image) QL_LOG(u"The picture '%s' of '%s' is missing\n").AddArg(frameName).AddArg(spriteName);
  return entry ? entry->image : nullptr;
}

KpFrameEntry* KpResources::findFrame(const base::WString& spriteName, const base::WString& frameName,
                                     const std::string& group) const {
  const SpriteDef* sprite = findSprite(spriteName);
  return sprite ? sprite->findFrame(frameName, group) : nullptr;
}

void KpResources::clear() { DeleteAllSpriteDefs(sprites_); }
