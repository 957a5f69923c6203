#pragma once

#include <map>
#include <memory>
#include <vector>

#include "Core/Base/Result.h"
#include "Core/File/Container.h"

namespace file {

class Archiver;
class ImageContainer;

// A container whose paths may lead into pack files: a path that starts with a
// mounted prefix whose pack exists is answered by that pack, everything else
// by the container's own storage (the Impl operations).
class FileContainer : public Container {
 public:
  explicit FileContainer(bool isArchive = false);
  ~FileContainer() override;

  FileInfo* Open(const base::WString& path, const base::WString* extensions, int count, int* index) override;

  virtual QLResultEnum ListFiles(const base::WString& path, bool recursive, std::vector<base::WString>& out,
                                 bool relativeNames);
  virtual QLResultEnum ListFolders(const base::WString& path, std::vector<base::WString>& out, bool relativeNames);
  virtual bool FileExists(const base::WString& path, const base::WString* extensions, int count, int* index);
  virtual bool FolderExists(const base::WString& path);

  // A layered layout: a layer folder at path, else the document path + ".psd",
  // else the document at path itself. Null when none exists; the caller owns
  // the container.
  ImageContainer* OpenImageContainer(const base::WString& path);

  // base + relative part is what a listed name is reported as when relative
  // names are not asked for; folder + relative part is what is read.
  virtual QLResultEnum ListFilesImpl(const base::WString& base, const base::WString& folder,
                                     const base::WString& relative, bool recursive, std::vector<base::WString>& out,
                                     bool relativeNames) = 0;
  virtual QLResultEnum ListFoldersImpl(const base::WString& base, const base::WString& folder,
                                       const base::WString& relative, std::vector<base::WString>& out,
                                       bool relativeNames) = 0;
  virtual bool FileExistsImpl(const base::WString& path, const base::WString* extensions, int count, int* index) = 0;
  virtual bool FolderExistsImpl(const base::WString& path) = 0;

  // The pack that answers path, with the rest of the path inside it; null
  // when no mounted pack applies.
  Archiver* RouteToPack(const base::WString& path, base::WString& remainder);

  bool IsArchive() const { return isArchive_; }

 private:
  bool isArchive_;
  std::map<base::WString, std::unique_ptr<Archiver>> archivers_;
};

}  // namespace file
