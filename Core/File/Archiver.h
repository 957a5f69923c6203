#pragma once

#include "Core/File/FileContainer.h"

namespace file {

// The files of one pack file mounted under a folder prefix. Packs are not
// read yet: a mounted pack answers as an empty one.
class Archiver : public FileContainer {
 public:
  Archiver(base::WString prefix, base::WString packPath, FileContainer* parent);

  base::Stream* OpenStream(const base::WString& path) override;
  base::StreamCreator* CreateStreamCreator(const base::WString& path) override;
  base::WString GetRootPath() override;

  QLResultEnum ListFilesImpl(const base::WString& base, const base::WString& folder, const base::WString& relative,
                             bool recursive, std::vector<base::WString>& out, bool relativeNames) override;
  QLResultEnum ListFoldersImpl(const base::WString& base, const base::WString& folder, const base::WString& relative,
                               std::vector<base::WString>& out, bool relativeNames) override;
  bool FileExistsImpl(const base::WString& path, const base::WString* extensions, int count, int* index) override;
  bool FolderExistsImpl(const base::WString& path) override;

 private:
  base::WString prefix_;
  base::WString packPath_;
  FileContainer* parent_;
};

}  // namespace file
