#include "Game/KpMapImages.h"

#include <algorithm>
#include <string>

#include "Core/Base/ImageInfo.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "Core/File/Path.h"
#include "Core/Render/Image.h"
#include "Framework/GameApplication.h"
#include "Game/FrameBuilders.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMapEffect.h"
#include "Game/KpResources.h"
#include "Game/LevelNumbers.h"
#include "Game/OwnedPointers.h"

namespace {

constexpr std::string_view kDataPrefix = "kp/data/";
constexpr std::string_view kDataFolder = "/kp/data/";
// Markers stand in a row this far apart, their centre this far under the
// spot's.
constexpr float kMarkerSpacing = 33.0f;
constexpr float kMarkerDrop = 25.0f;
constexpr float kMarkerDepth = 30.0f;
constexpr int kSpotSortKey = -1;

render::Image* ResourceImage(const char16_t* sprite, const char16_t* frame) {
  return KpResources::Instance()->findImage(sprite, frame);
}

SpotPictures ResourcePictures() {
  SpotPictures pictures;
  pictures.plain = ResourceImage(u"kp/spots", u"spots/s");
  pictures.gold = ResourceImage(u"kp/spots", u"spots/g");
  pictures.premium = ResourceImage(u"kp/spots", u"spots/p");
  pictures.radiusBoost = ResourceImage(u"kp/ui", u"ui/radius_boost");
  pictures.powerBoost = ResourceImage(u"kp/ui", u"ui/power_boost");
  return pictures;
}

float WidthOf(const render::Image* image) { return image ? static_cast<float>(image->GetWidth()) : 0.0f; }
float HeightOf(const render::Image* image) { return image ? static_cast<float>(image->GetHeight()) : 0.0f; }

}  // namespace

std::string LevelLayoutPath(std::string_view text) {
  std::string levelImageText(text);
  std::replace(levelImageText.begin(), levelImageText.end(), '\\', '/');
  const std::size_t found = levelImageText.rfind(kDataFolder);
  if (found != std::string::npos) return std::string(kDataPrefix) + levelImageText.substr(found + kDataFolder.size());
  if (!levelImageText.starts_with(kDataPrefix))
    QL_LOG(u"The level's picture '%s' does not lie under kp/data/\n")
        .AddArg(base::ToWide(levelImageText, base::kEncodingUtf8));
  const std::size_t cut = std::min(levelImageText.size(), kDataPrefix.size());
  return std::string(kDataPrefix) + levelImageText.substr(cut);
}

base::WString LayoutFolderOf(const std::string& path) {
  return file::StripTrailingSlashes(file::GetFolderWithoutDrive(base::ToWide(path, base::kEncodingUtf8)));
}

KpMapImages::KpMapImages() : KpMapImages(ResourcePictures()) {
  if (framework::GameApplication* application = framework::GameApplication::Instance())
    incomeImage_ = application->CreateImage(u"kp/data/context/small_icons/income", nullptr);
  if (!incomeImage_) QL_LOG(u"The picture 'kp/data/context/small_icons/income' is missing\n");
  pictures_.income = incomeImage_.get();
}

KpMapImages::KpMapImages(const SpotPictures& pictures) : pictures_(pictures) {}

KpMapImages::~KpMapImages() { DeleteAllPointersAndFree(frames_); }

bool KpMapImages::load(const std::string& path, int episodeIndex, std::vector<KpMapEffect*>& mapEffects) {
  const base::WString folder = LayoutFolderOf(path);
  const std::unique_ptr<file::ImageContainer> layout(file::FileManager::Instance()->OpenImageContainer(folder));
  if (!layout) {
    QL_LOG(u"The level's layout '%s' cannot be opened\n").AddArg(folder);
    return false;
  }
  std::vector<base::WString> names;
  layout->ListImages(u"", false, names, false);
  if (names.empty()) {
    QL_LOG(u"The level's layout '%s' has no layers\n").AddArg(folder);
    return false;
  }
  for (const base::WString& name : names) {
    KpFrameEntry* entry = CreateFrameEntryFromPsd(*layout, name);
    entry->bottom = entry->y + entry->height;
    frames_.push_back(entry);
  }
  ReadMapEffects(*layout, episodeIndex, mapEffects);
  sortFrames();
  return true;
}

void KpMapImages::addSpots(KpSpotList& spots, const std::function<bool(const base::WString& entryName)>& isOwned) {
  for (std::size_t n = 0; n < spots.size(); ++n) {
    KpSpot& spot = *spots[n];
    auto* entry = new KpFrameEntry;
    entry->name = u"#" + base::ToWide(std::to_string(n), base::kEncodingUtf8);
    entry->z = kSpotSortKey;
    const bool owned = isOwned(entry->name);
    if (owned) spot.open = true;
    entry->image = owned ? pictures_.plain : pictureOf(spot);
    entry->width = WidthOf(entry->image);
    entry->height = HeightOf(entry->image);
    entry->x = static_cast<float>(TruncateToInt(spot.x - entry->width * 0.5f));
    entry->y = static_cast<float>(TruncateToInt(spot.y - entry->height * 0.5f));
    entry->bottom = entry->y + entry->height;
    entry->spot = &spot;
    spotFrames_.push_back(entry);
    frames_.push_back(entry);
    addMarkers(spot, *entry);
  }
}

render::Image* KpMapImages::pictureOf(const KpSpot& spot) const {
  switch (spot.type) {
    case KpSpot::kGold:
      return pictures_.gold;
    case KpSpot::kPremium:
      return pictures_.premium;
    default:
      return pictures_.plain;
  }
}

void KpMapImages::addMarkers(KpSpot& spot, const KpFrameEntry& spotEntry) {
  const std::pair<const char*, render::Image*> kinds[] = {
      {"radius_mult", pictures_.radiusBoost}, {"damage_mult", pictures_.powerBoost}, {"income_mult", pictures_.income}};
  for (const auto& [property, image] : kinds) {
    // A property the spot lacks reads as 0 and so shows its marker too.
    if (spot.properties->getFloat(property) == 1.0f) continue;
    auto* marker = new KpFrameEntry;
    marker->name = u"##";
    marker->z = kSpotSortKey;
    marker->image = image;
    marker->width = WidthOf(image);
    marker->height = HeightOf(image);
    frames_.push_back(marker);
    spot.markers.push_back(marker);
  }
  const float gaps = static_cast<float>(std::max<std::size_t>(spot.markers.size(), 1) - 1);
  const float centreX = spotEntry.x + spotEntry.width * 0.5f;
  for (std::size_t i = 0; i < spot.markers.size(); ++i) {
    KpFrameEntry& marker = *spot.markers[i];
    marker.x = static_cast<float>(
        TruncateToInt(centreX - gaps * kMarkerSpacing * 0.5f + static_cast<float>(i) * kMarkerSpacing));
    marker.y = spotEntry.y + spotEntry.height * 0.5f + kMarkerDrop;
    marker.bottom = marker.y + kMarkerDepth;
  }
}

void KpMapImages::sortFrames() { std::stable_sort(frames_.begin(), frames_.end(), FrameEntryZLess); }

void KpMapImages::showAll() {
  for (KpFrameEntry* entry : frames_) entry->visible = true;
}

KpFrameEntry* KpMapImages::spotAt(int x, int y) const {
  for (KpFrameEntry* entry : spotFrames_) {
    if (!entry->visible) continue;
    const float dx = static_cast<float>(x) - (entry->x + entry->width * 0.5f);
    const float dy = static_cast<float>(y) - (entry->y + entry->height * 0.5f);
    if (dx * dx + dy * dy <= kSpotHitRadius * kSpotHitRadius) return entry;
  }
  return nullptr;
}
