#pragma once

#include "Core/File/FileContainer.h"

namespace file {

// The container over the disk. Relative paths are taken from the current
// folder, which is the data root while the game runs.
class FileManagerWin32 : public FileContainer {
 public:
  base::Stream* OpenStream(const base::WString& path) override;
  base::StreamCreator* CreateStreamCreator(const base::WString& path) override;

  QLResultEnum ListFilesImpl(const base::WString& base, const base::WString& folder, const base::WString& relative,
                             bool recursive, std::vector<base::WString>& out, bool relativeNames) override;
  QLResultEnum ListFoldersImpl(const base::WString& base, const base::WString& folder, const base::WString& relative,
                               std::vector<base::WString>& out, bool relativeNames) override;
  bool FileExistsImpl(const base::WString& path, const base::WString* extensions, int count, int* index) override;
  bool FolderExistsImpl(const base::WString& path) override;

  QLResultEnum SetCurrentDirectory(const base::WString& path);
  QLResultEnum DeleteFile(const base::WString& path);
  QLResultEnum CreateDirectory(const base::WString& path);
  // Replaces to with from in one step, so a reader never sees half a file.
  QLResultEnum MoveFile(const base::WString& from, const base::WString& to);
  // Makes the renames into the folder survive a power cut.
  QLResultEnum SyncFolder(const base::WString& path);
};

}  // namespace file
