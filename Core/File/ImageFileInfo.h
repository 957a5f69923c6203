#pragma once

#include "Core/Base/ImageInfo.h"
#include "Core/File/Container.h"

namespace file {

// A layer image found in a layered layout, with the layer's description.
class ImageFileInfo : public FileInfo {
 public:
  ImageFileInfo(base::WString name, base::WString path, Container* container, bool fromArchive,
                const base::ImageInfo& info);

  const base::ImageInfo& GetImageInfo() const { return info_; }

 private:
  base::ImageInfo info_;
};

}  // namespace file
