#pragma once

#include <memory>

#include "Core/File/ImageContainer.h"
#include "Core/File/ImageContainerTable.h"
#include "Core/File/PsdFileLayer.h"

namespace psd {
struct PsdDocument;
}

namespace file {

// A layered layout read straight from a layered Photoshop document: the
// layers are decoded once, and each layer's pixels are served as a stream of
// 32-bit 0xAARRGGBB words, little-endian, row after row. Group names become
// folders of the layer names, as in a layer folder.
class PsdFile : public ImageContainer {
 public:
  PsdFile(base::WString documentPath, FileContainer* container);
  ~PsdFile() override;

  // Reads the document through the container and decodes it. A document that
  // cannot be read or decoded leaves the layout without layers and gives
  // QL_FAIL.
  QLResultEnum Load();

  // A new stream holding a copy of the named layer's pixels.
  base::Stream* OpenStream(const base::WString& path) override;
  base::StreamCreator* CreateStreamCreator(const base::WString& path) override;

  ImageFileInfo* OpenImage(const base::WString& name, const base::WString* extensions, int count, int* index) override;
  const base::ImageInfo* FindImageInfo(const base::WString& name) override;
  const base::ImageInfo* GetImageInfo(int i) override;
  // The number of distinct layer names.
  int GetImageCount() override;
  QLResultEnum ListImages(const base::WString& folder, bool recursive, std::vector<base::WString>& out,
                          bool relativeNames) override;
  QLResultEnum ListFolders(const base::WString& folder, std::vector<base::WString>& out, bool relativeNames) override;
  bool HasImage(const base::WString& name) override;
  // Always false: a document has no image files beside it.
  bool ImageFileExists(const base::WString& name) override;
  bool HasFolder(const base::WString& folder) override;

 private:
  void AddLayers();

  struct DocumentDeleter {
    void operator()(psd::PsdDocument* document) const;
  };
  std::unique_ptr<psd::PsdDocument, DocumentDeleter> document_;
  ImageContainerTable<PsdFileLayer> layers_;
};

}  // namespace file
