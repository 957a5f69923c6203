#pragma once

#include <string>
#include <vector>

#include "Core/Base/Singletone.h"
#include "Core/Base/WString.h"

namespace tinyxml2 {
class XMLElement;
}
namespace render {
class Image;
}

class KpFrameEntry;
class SpriteDef;

// The sprite definitions of the game, loaded once and shared by everything
// that plays them. Owns them in creation order.
class KpResources : public base::Singletone<KpResources> {
 public:
  KpResources() = default;
  ~KpResources() override;

  // The definition of that name, built (and kept, even when nothing loads)
  // on first request.
  SpriteDef* getSprite(const base::WString& name);
  // Null when no definition has the name.
  SpriteDef* findSprite(const base::WString& name) const;
  // The definition of the element's "psd" layout and "img" image; null when
  // it names neither.
  SpriteDef* spriteFromXml(const tinyxml2::XMLElement& element);
  // One definition per group directly under the layout's root.
  void loadFolder(const base::WString& path);
  // The layouts of every unit, tower and shared map picture, in the order
  // the map loads them.
  void loadSharedLayouts();
  // The picture of the sprite's frame; null, logged, when either is missing.
  render::Image* findImage(const base::WString& spriteName, const base::WString& frameName) const;
  KpFrameEntry* findFrame(const base::WString& spriteName, const base::WString& frameName,
                          const std::string& group) const;
  void clear();

  const std::vector<SpriteDef*>& sprites() const { return sprites_; }

 private:
  std::vector<SpriteDef*> sprites_;
};
