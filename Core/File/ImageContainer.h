#pragma once

#include <cstdint>
#include <vector>

#include "Core/Base/ImageInfo.h"
#include "Core/Base/Result.h"
#include "Core/File/Container.h"

namespace file {

class FileContainer;
class ImageFileInfo;

// A layered layout: named layer images with their rectangles, read from a
// layer folder or from a layered document. Folder paths given to the queries
// use '/' (or '\') separators; a name lies in folder p when it begins with p.
class ImageContainer : public Container {
 public:
  // The layout's path is read through container, which is not owned.
  ImageContainer(base::WString path, FileContainer* container);

  // The same as OpenImage.
  FileInfo* Open(const base::WString& path, const base::WString* extensions, int count, int* index) final;
  // The underlying container's root, then this layout's path as a folder.
  base::WString GetRootPath() override;

  // The caller owns the entry; null for a name that is not a layer. index
  // receives the position of the extension the image was found under.
  virtual ImageFileInfo* OpenImage(const base::WString& name, const base::WString* extensions, int count,
                                   int* index) = 0;
  // Exact name lookup; null when there is no such layer.
  virtual const base::ImageInfo* FindImageInfo(const base::WString& name) = 0;
  // Layers in their source's order; i must stay below GetImageCount.
  virtual const base::ImageInfo* GetImageInfo(int i) = 0;
  virtual int GetImageCount() = 0;
  virtual QLResultEnum ListImages(const base::WString& folder, bool recursive, std::vector<base::WString>& out,
                                  bool relativeNames) = 0;
  // The groups directly inside folder, each once.
  virtual QLResultEnum ListFolders(const base::WString& folder, std::vector<base::WString>& out,
                                   bool relativeNames) = 0;
  // Looks the lower-cased name up.
  virtual bool HasImage(const base::WString& name) = 0;
  // Whether the image of a layer exists as a file beside the layout.
  virtual bool ImageFileExists(const base::WString& name) = 0;
  virtual bool HasFolder(const base::WString& folder) = 0;

  // Every lookup of an image file tries these in order; the first is the name
  // itself.
  static const base::WString* GetImageExtensions();
  static constexpr int GetImageExtensionCount() { return 6; }

  const base::WString& GetPath() const { return path_; }
  FileContainer* GetContainer() const { return container_; }

 protected:
  // The application's image scale, by which layer rectangles are multiplied.
  // The program never changes it, and the file system cannot ask the
  // application, which is built on top of it.
  static constexpr float kImageScale = 1.0f;

  // name inside the layout's folder, with one '/' between them however the
  // layout's path ends: a doubled separator would miss names in a pack.
  base::WString InFolder(const base::WString& name) const;
  // The whole file at path of the underlying container, when it exists, can
  // be read whole and holds at most maxBytes bytes (a bigger one is logged).
  bool ReadWholeFile(const base::WString& path, std::uint32_t maxBytes, std::vector<std::uint8_t>& bytes);

 private:
  base::WString path_;
  FileContainer* container_;
};

}  // namespace file
