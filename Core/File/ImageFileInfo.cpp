#include "Core/File/ImageFileInfo.h"

#include <utility>

namespace file {

ImageFileInfo::ImageFileInfo(base::WString name, base::WString path, Container* container, bool fromArchive,
                             const base::ImageInfo& info)
    : FileInfo(std::move(name), std::move(path), container, fromArchive), info_(info) {}

}  // namespace file
