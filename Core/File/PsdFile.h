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
class PsdFile : public TableImageContainer<PsdFileLayer> {
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
  // The number of distinct layer names.
  int GetImageCount() override;
  // Always false: a document has no image files beside it.
  bool ImageFileExists(const base::WString& name) override;

 private:
  void AddLayers();

  struct DocumentDeleter {
    void operator()(psd::PsdDocument* document) const;
  };
  std::unique_ptr<psd::PsdDocument, DocumentDeleter> document_;
};

}  // namespace file
