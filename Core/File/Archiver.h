#pragma once

#include "Core/File/FileContainer.h"
#include "Core/File/PackDirectory.h"

namespace file {

// The files of one pack file mounted under a folder prefix; each opens as a
// window on the pack. A pack that cannot be read answers as an empty one, so
// requests under its prefix fail rather than fall back to the disk.
class Archiver : public FileContainer {
 public:
  Archiver(base::WString prefix, base::WString packPath, Container* parent);

  base::Stream* OpenStream(const base::WString& path) override;
  base::StreamCreator* CreateStreamCreator(const base::WString& path) override;
  base::WString GetRootPath() override;

  QLResultEnum ListFilesImpl(const base::WString& base, const base::WString& folder, const base::WString& relative,
                             bool recursive, std::vector<base::WString>& out, bool relativeNames) override;
  QLResultEnum ListFoldersImpl(const base::WString& base, const base::WString& folder, const base::WString& relative,
                               std::vector<base::WString>& out, bool relativeNames) override;
  bool FileExistsImpl(const base::WString& path, const base::WString* extensions, int count, int* index) override;
  bool FolderExistsImpl(const base::WString& path) override;

  const PackDirectory& GetDirectory() const { return directory_; }

 private:
  const PackEntry* Find(const base::WString& name) const;

  Container* parent_;
  base::WString prefix_;
  base::WString packPath_;
  PackDirectory directory_;
};

}  // namespace file
