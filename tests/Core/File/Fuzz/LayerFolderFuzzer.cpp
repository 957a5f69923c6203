// libFuzzer entry for layer folders: the input is the "layers.xml" of a
// folder opened as a layout, whose layers and groups are then walked as the
// screens walk them.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <vector>

#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "Core/File/ImageContainerTable.h"
#include "Core/File/ImageFileInfo.h"
#include "tests/Support/FuzzCheck.h"
#include "tests/Support/FuzzDataRoot.h"

namespace {

using fuzz_support::Check;

void WalkLayers(file::ImageContainer& layout) {
  const int count = layout.GetImageCount();
  for (int i = 0; i < count; ++i) {
    const base::ImageInfo* layer = layout.GetImageInfo(i);
    Check(layer != nullptr, "every layer below the count is there");
    Check(layout.FindImageInfo(layer->name) != nullptr, "a layer is found by its name");
    layout.HasImage(layer->name);
    layout.ImageFileExists(layer->name);
    int index = 0;
    std::unique_ptr<file::ImageFileInfo>(layout.OpenImage(layer->name, file::ImageContainer::GetImageExtensions(),
                                                          file::ImageContainer::GetImageExtensionCount(), &index));
  }
  Check(layout.GetImageInfo(count) == nullptr, "nothing lies beyond the count");
  std::vector<base::WString> all;
  layout.ListImages(u"", true, all, false);
  Check(all.size() == static_cast<std::size_t>(count), "the whole layout lists every layer");
}

// Groups below groups, breadth first: they may nest as deep as the input is
// long.
void WalkGroups(file::ImageContainer& layout) {
  std::deque<base::WString> groups{u""};
  // A group with an empty name may name its parent again.
  std::set<base::WString> seen;
  while (!groups.empty()) {
    const base::WString group = groups.front();
    groups.pop_front();
    std::vector<base::WString> images;
    layout.ListImages(group, false, images, true);
    std::vector<base::WString> inside;
    layout.ListFolders(group, inside, false);
    // Queries match the lower-cased path, names as they are written: a
    // listed group need not be found again.
    for (const base::WString& folder : inside) {
      const base::WString path = group + folder + u'/';
      layout.HasFolder(path);
      if (seen.insert(file::LayerFolderKey(path)).second) groups.push_back(path);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz_support::WriteInput("menu/layers.xml", data, size);
  const std::unique_ptr<file::ImageContainer> layout(file::FileManager::Instance()->OpenImageContainer(u"menu"));
  Check(layout != nullptr, "a layer folder opens as a layout, readable or not");
  WalkLayers(*layout);
  WalkGroups(*layout);
  return 0;
}
