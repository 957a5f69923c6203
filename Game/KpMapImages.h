#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Core/Base/WString.h"
#include "Game/KpSpot.h"

namespace render {
class Image;
}
class KpFrameEntry;
class KpMapEffect;

// The pictures of build spots and of the effect markers under them; not
// owned.
struct SpotPictures {
  // A spot of the plain type, and every bought spot.
  render::Image* plain = nullptr;
  render::Image* gold = nullptr;
  render::Image* premium = nullptr;
  render::Image* radiusBoost = nullptr;
  render::Image* powerBoost = nullptr;
  render::Image* income = nullptr;
};

// The layout file a level's "li" text names, relative to the data root: the
// part after its last "/kp/data/" under "kp/data/", so that a path written
// on the level designer's machine still finds the layout here. A text
// without that part is taken to start with "kp/data/". A backslash counts as '/'.
std::string LevelLayoutPath(std::string_view levelImageText);
// The layout folder holding the file at path, without a drive and without
// the final separator.
base::WString LayoutFolderOf(const std::string& path);

// What the map draws of a level: the layers of its layout, one entry per
// build spot and the effect markers under the spots, kept in draw order.
class KpMapImages {
 public:
  // A spot within this distance of a point is hit.
  static constexpr float kSpotHitRadius = 40.0f;

  // The pictures the game's resources hold: "spots/s", "spots/g" and
  // "spots/p" of "kp/spots", "ui/radius_boost" and "ui/power_boost" of
  // "kp/ui", and the image "kp/data/context/small_icons/income".
  KpMapImages();
  explicit KpMapImages(const SpotPictures& pictures);
  KpMapImages(const KpMapImages&) = delete;
  KpMapImages& operator=(const KpMapImages&) = delete;
  ~KpMapImages();

  // Adds one entry per top-level layer of the layout that holds the file at
  // path, and appends a decoration point per layer of its "fx" folder to
  // mapEffects. False, logged, when no layout with layers opens there.
  bool load(const std::string& path, int episodeIndex, std::vector<KpMapEffect*>& mapEffects);
  // One entry per spot, named "#" and the spot's index, centred on it and
  // showing its picture; isOwned tells whether the player has bought the
  // spot of that name before, which opens it. Under each spot a row of
  // markers shows the properties "radius_mult", "damage_mult" and
  // "income_mult" that are not exactly 1.
  void addSpots(KpSpotList& spots, const std::function<bool(const base::WString& entryName)>& isOwned);
  // Orders the entries by sort key: spots and their markers first, then the
  // layers in layout order.
  void sortFrames();
  // Every entry shows again, spots that towers hid included.
  void showAll();
  // The first visible spot entry whose centre is within kSpotHitRadius.
  KpFrameEntry* spotAt(int x, int y) const;

  const std::vector<KpFrameEntry*>& frames() const { return frames_; }
  const std::vector<KpFrameEntry*>& spotFrames() const { return spotFrames_; }
  const SpotPictures& pictures() const { return pictures_; }

 private:
  render::Image* pictureOf(const KpSpot& spot) const;
  void addMarkers(KpSpot& spot, const KpFrameEntry& spotEntry);

  // Not owned: the same entries stand in frames_.
  std::vector<KpFrameEntry*> spotFrames_;
  // Owned.
  std::vector<KpFrameEntry*> frames_;
  SpotPictures pictures_;
  std::unique_ptr<render::Image> incomeImage_;
};
