#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Core/Base/NoCopy.h"
#include "Core/Base/WString.h"

namespace file {
class ImageContainer;
}
namespace render {
class Image;
}
namespace tinyxml2 {
class XMLElement;
}
class KpFrameEntry;

// The groups a sprite layout may hold, in the order they are loaded. Only
// "s_point" (the pivot) and the root group "" (effects, and the clock of
// every animation) mean something to playback; the players of enemies,
// towers and bullets pick the others by name.
inline constexpr std::array<std::string_view, 28> kSpriteGroups = {
    "rotate", "f_00", "f_01",  "f_02",   "f_03",  "f_04", "f_05",    "f_06", "f_07",       "f_08",
    "f_09",   "f_10", "f_11",  "f_12",   "f_13",  "f_14", "f_15",    "blast", "idle",      "shot",
    "pivot",  "fire", "s_point", "", "base_point", "walk", "death", "special"};

// A layered layout whose groups are animations and whose layers, in listing
// order, are the frames; or a single image. Frames own their images.
class SpriteDef : base::NoCopy {
 public:
  using FrameList = std::vector<KpFrameEntry*>;

  // The layout at name.
  explicit SpriteDef(const base::WString& name);
  // The group of a shared layout: named "kp/" + group; the container is not
  // kept.
  SpriteDef(file::ImageContainer& container, const base::WString& group);
  // The attributes "id", "psd" (a layout under "kp/") and "img" (an image
  // under "kp/").
  explicit SpriteDef(const tinyxml2::XMLElement& element);
  ~SpriteDef();

  // Null when the group has no entry; the lookup adds none.
  KpFrameEntry* findFrame(const base::WString& frameName, const std::string& group) const;
  // The frames of the group; a group without an entry gets an empty one.
  FrameList& group(const std::string& name) { return groups_[name]; }
  const FrameList* findGroup(const std::string& name) const;

  const base::WString& name() const { return name_; }
  const base::WString& imagePath() const { return imagePath_; }
  // The "img" attribute it was built from; empty for a layout alone.
  const base::WString& imageFile() const { return imageFile_; }
  std::int32_t id() const { return id_; }
  render::Image* image() const { return image_; }
  bool fromLayout() const { return fromLayout_; }

 private:
  void loadPsd(const base::WString& path);
  void loadFromPsd(file::ImageContainer& container, const base::WString& subPath);

  base::WString name_;
  std::int32_t id_ = 0;
  render::Image* image_ = nullptr;
  bool fromLayout_ = false;
  base::WString imagePath_;
  base::WString imageFile_;
  std::unique_ptr<file::ImageContainer> container_;
  std::map<std::string, FrameList> groups_;
};

void DeleteAllSpriteDefs(std::vector<SpriteDef*>& list);
