#pragma once

#include "Core/File/ImageContainer.h"
#include "Core/File/ImageContainerTable.h"

namespace tinyxml2 {
class XMLElement;
}

namespace file {

// A layered layout converted to a folder: "layers.xml" describes the layers,
// and each layer's image is a file of the folder or a part of an atlas image.
class PsdFolder : public ImageContainer {
 public:
  PsdFolder(base::WString folder, FileContainer* container);

  // Reads "layers.xml". Without a readable, well-formed file the folder has
  // no layers and QL_FAIL is returned.
  QLResultEnum Load();

  base::Stream* OpenStream(const base::WString& path) override;
  base::StreamCreator* CreateStreamCreator(const base::WString& path) override;

  ImageFileInfo* OpenImage(const base::WString& name, const base::WString* extensions, int count, int* index) override;
  const base::ImageInfo* FindImageInfo(const base::WString& name) override;
  const base::ImageInfo* GetImageInfo(int i) override;
  int GetImageCount() override;
  QLResultEnum ListImages(const base::WString& folder, bool recursive, std::vector<base::WString>& out,
                          bool relativeNames) override;
  QLResultEnum ListFolders(const base::WString& folder, std::vector<base::WString>& out, bool relativeNames) override;
  bool HasImage(const base::WString& name) override;
  bool ImageFileExists(const base::WString& name) override;
  bool HasFolder(const base::WString& folder) override;

 private:
  void AddLayer(const tinyxml2::XMLElement& element, int position);

  ImageContainerTable<base::ImageInfo> layers_;
};

}  // namespace file
