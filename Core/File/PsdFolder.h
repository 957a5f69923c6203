#pragma once

#include "Core/File/ImageContainer.h"
#include "Core/File/ImageContainerTable.h"

namespace tinyxml2 {
class XMLElement;
}

namespace file {

// A layered layout converted to a folder: "layers.xml" describes the layers,
// and each layer's image is a file of the folder or a part of an atlas image.
class PsdFolder : public TableImageContainer<base::ImageInfo> {
 public:
  PsdFolder(base::WString folder, FileContainer* container);

  // Reads "layers.xml". Without a readable, well-formed file the folder has
  // no layers and QL_FAIL is returned.
  QLResultEnum Load();

  base::Stream* OpenStream(const base::WString& path) override;
  base::StreamCreator* CreateStreamCreator(const base::WString& path) override;

  ImageFileInfo* OpenImage(const base::WString& name, const base::WString* extensions, int count, int* index) override;
  int GetImageCount() override;
  bool ImageFileExists(const base::WString& name) override;

 private:
  void AddLayer(const tinyxml2::XMLElement& element, int position);

};

}  // namespace file
