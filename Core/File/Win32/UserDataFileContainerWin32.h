#pragma once

#include "Core/File/FileContainer.h"

namespace file {

// The files of the user's own folder, named relative to it. Everything is
// answered by the file manager on the full path. Streams are read-only: the
// profiles write their own file so that they can replace it safely.
class UserDataFileContainerWin32 : public FileContainer {
 public:
  // Creates the folder and its missing parents; a folder that cannot be made
  // shows up later as failed saves, so the outcome is not reported here.
  QLResultEnum SetRootPath(const base::WString& folder);
  base::WString GetRootPath() override { return root_; }

  base::Stream* OpenStream(const base::WString& path) override;
  base::StreamCreator* CreateStreamCreator(const base::WString& path) override;

  QLResultEnum ListFilesImpl(const base::WString& base, const base::WString& folder, const base::WString& relative,
                             bool recursive, std::vector<base::WString>& out, bool relativeNames) override;
  QLResultEnum ListFoldersImpl(const base::WString& base, const base::WString& folder, const base::WString& relative,
                               std::vector<base::WString>& out, bool relativeNames) override;
  bool FileExistsImpl(const base::WString& path, const base::WString* extensions, int count, int* index) override;
  bool FolderExistsImpl(const base::WString& path) override;

 private:
  base::WString root_;
};

}  // namespace file
