#include "Core/File/Folders.h"

#include "Core/File/FileManager.h"
#include "Core/File/Path.h"

namespace file {

QLResultEnum CreateFolders(const base::WString& path) {
  return CreateFolderRecursive(StripTrailingSlashes(NormalizeFolder(path)));
}

QLResultEnum CreateFolderRecursive(const base::WString& path) {
  FileManager* files = FileManager::Instance();
  if (files->FolderExists(path)) return QL_OK;
  const base::WString parent = StripTrailingSlashes(GetFolder(path));
  if (!parent.empty()) {
    if (const QLResultEnum result = CreateFolderRecursive(parent)) return result;
  }
  return files->CreateDirectory(path);
}

}  // namespace file
