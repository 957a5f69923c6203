#include "Core/File/PsdFolder.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/FileContainer.h"
#include "Core/File/FileManager.h"
#include "Core/File/ImageFileInfo.h"
#include "Core/File/Path.h"

namespace file {

namespace {

// Far beyond any hand-written layout; a bigger file is not a layout.
constexpr std::uint32_t kMaxLayersXmlBytes = 16u << 20;

int IntAttribute(const tinyxml2::XMLElement& element, const char* name, int absent) {
  int value = absent;
  element.QueryIntAttribute(name, &value);
  return value;
}

// Texture coordinates: a value that is not a plain number keeps the default,
// so no later conversion to float can overflow.
double CoordinateAttribute(const tinyxml2::XMLElement& element, const char* name, double absent) {
  double value = absent;
  if (element.QueryDoubleAttribute(name, &value) != tinyxml2::XML_SUCCESS) return absent;
  return std::isfinite(value) && std::fabs(value) <= 1e6 ? value : absent;
}

// Layout pixels times the layout scale, truncated toward zero and kept within
// 32 bits.
std::int32_t Scaled(int pixels, float scale) {
  const double value = std::trunc(static_cast<double>(pixels) * scale);
  if (std::isnan(value)) return 0;
  return static_cast<std::int32_t>(std::clamp(value, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                                              static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

}  // namespace

PsdFolder::PsdFolder(base::WString folder, FileContainer* container) : TableImageContainer(std::move(folder), container) {}

QLResultEnum PsdFolder::Load() {
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(InFolder(u"layers.xml"), kMaxLayersXmlBytes, bytes)) return QL_FAIL;

  tinyxml2::XMLDocument document;
  if (document.Parse(reinterpret_cast<const char*>(bytes.data()), bytes.size()) != tinyxml2::XML_SUCCESS) {
    QL_LOG(u"Layer list '%s' is not well-formed XML\n").AddArg(InFolder(u"layers.xml"));
    return QL_FAIL;
  }
  const tinyxml2::XMLElement* root = document.FirstChildElement("Layers");
  if (!root) {
    QL_LOG(u"Layer list '%s' has no Layers element\n").AddArg(InFolder(u"layers.xml"));
    return QL_FAIL;
  }
  int position = 0;
  for (const tinyxml2::XMLElement* element = root->FirstChildElement("Layer"); element;
       element = element->NextSiblingElement("Layer")) {
    // A layer without a name ends the list, whatever follows it.
    if (!element->Attribute("name")) break;
    AddLayer(*element, position++);
  }
  return QL_OK;
}

void PsdFolder::AddLayer(const tinyxml2::XMLElement& element, int position) {
  const float layoutScale = FileManager::Instance()->layoutScale;
  const int opacity = std::clamp(IntAttribute(element, "opacity", 255), 0, 255);
  base::ImageInfo& layer = layers_.Add(base::ImageInfo(
      base::ToWide(element.Attribute("name"), base::kEncodingUtf8), Scaled(IntAttribute(element, "x", 0), layoutScale),
      Scaled(IntAttribute(element, "y", 0), layoutScale), Scaled(IntAttribute(element, "width", 0), layoutScale),
      Scaled(IntAttribute(element, "height", 0), layoutScale), opacity, IntAttribute(element, "ind", position), true,
      false, kImageScale));

  // A repeated name keeps its first description, but the atlas of the later
  // element still lands on it.
  const char* atlas = element.Attribute("atlas");
  if (!atlas) return;
  const double u1 = CoordinateAttribute(element, "tu1", 0.0);
  const double v1 = CoordinateAttribute(element, "tv1", 0.0);
  const double u2 = CoordinateAttribute(element, "tu2", 1.0);
  const double v2 = CoordinateAttribute(element, "tv2", 1.0);
  layer.inAtlas = true;
  layer.atlasPath = GetRootPath() + base::ToWide(atlas, base::kEncodingUtf8);
  layer.atlasRect = {static_cast<float>(u1), static_cast<float>(1.0 - v2), static_cast<float>(u2 - u1),
                     static_cast<float>(v2 - v1)};
}

base::Stream* PsdFolder::OpenStream(const base::WString& path) { return GetContainer()->OpenStream(InFolder(path)); }

base::StreamCreator* PsdFolder::CreateStreamCreator(const base::WString& path) {
  return GetContainer()->CreateStreamCreator(InFolder(path));
}

ImageFileInfo* PsdFolder::OpenImage(const base::WString& name, const base::WString* extensions, int count, int* index) {
  const base::ImageInfo* layer = layers_.Find(name);
  if (!layer) return nullptr;
  base::WString path = name;
  if (!layer->inAtlas && extensions && count > 0) {
    int found = 0;
    if (!GetContainer()->FileExists(InFolder(name), extensions, count, &found)) return nullptr;
    if (index) *index = found;
    path += extensions[found];
  }
  return new ImageFileInfo(GetNameWithoutExtension(name), path, this, GetContainer()->IsArchive(), *layer);
}

int PsdFolder::GetImageCount() { return layers_.OrderCount(); }

bool PsdFolder::ImageFileExists(const base::WString& name) {
  return GetContainer()->FileExists(InFolder(name), GetImageExtensions(), GetImageExtensionCount(), nullptr);
}

}  // namespace file
