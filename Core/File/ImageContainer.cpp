#include "Core/File/ImageContainer.h"

#include <array>
#include <memory>
#include <utility>

#include "Core/Base/ReadWholeStream.h"
#include "Core/Base/Stream.h"
#include "Core/File/FileContainer.h"
#include "Core/File/ImageFileInfo.h"
#include "Core/File/Path.h"

namespace file {

ImageContainer::ImageContainer(base::WString path, FileContainer* container)
    : path_(std::move(path)), container_(container) {}

FileInfo* ImageContainer::Open(const base::WString& path, const base::WString* extensions, int count, int* index) {
  return OpenImage(path, extensions, count, index);
}

base::WString ImageContainer::GetRootPath() { return container_->GetRootPath() + InFolder({}); }

base::WString ImageContainer::InFolder(const base::WString& name) const { return NormalizeFolder(path_) + name; }

const base::WString* ImageContainer::GetImageExtensions() {
  static const std::array<base::WString, GetImageExtensionCount()> extensions{u"",     u".dds", u".jpg",
                                                                              u".gif", u".png", u".tga"};
  return extensions.data();
}

bool ImageContainer::ReadWholeFile(const base::WString& path, std::uint32_t maxBytes,
                                   std::vector<std::uint8_t>& bytes) {
  const std::unique_ptr<FileInfo> info(container_->Open(path, nullptr, 0, nullptr));
  const std::unique_ptr<base::Stream> stream(info ? info->OpenStream() : nullptr);
  return stream && base::ReadWholeStream(*stream, maxBytes, u"Layout '" + path + u"'", bytes);
}

}  // namespace file
