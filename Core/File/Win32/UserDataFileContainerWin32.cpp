#include "Core/File/Win32/UserDataFileContainerWin32.h"

#include "Core/File/FileManager.h"
#include "Core/File/Folders.h"
#include "Core/File/Path.h"

namespace file {

QLResultEnum UserDataFileContainerWin32::SetRootPath(const base::WString& folder) {
  // Normalised here too, so that root + name is a path even if a caller
  // forgot the trailing '/'.
  root_ = NormalizeFolder(folder);
  CreateFolders(root_);
  return QL_OK;
}

base::Stream* UserDataFileContainerWin32::OpenStream(const base::WString& path) {
  return FileManager::Instance()->OpenStream(root_ + path);
}

base::StreamCreator* UserDataFileContainerWin32::CreateStreamCreator(const base::WString& path) {
  return FileManager::Instance()->CreateStreamCreator(root_ + path);
}

QLResultEnum UserDataFileContainerWin32::ListFilesImpl(const base::WString& base, const base::WString&,
                                                       const base::WString&, bool recursive,
                                                       std::vector<base::WString>& out, bool relativeNames) {
  return FileManager::Instance()->ListFiles(root_ + base, recursive, out, relativeNames);
}

QLResultEnum UserDataFileContainerWin32::ListFoldersImpl(const base::WString& base, const base::WString&,
                                                         const base::WString&, std::vector<base::WString>& out,
                                                         bool relativeNames) {
  return FileManager::Instance()->ListFolders(root_ + base, out, relativeNames);
}

bool UserDataFileContainerWin32::FileExistsImpl(const base::WString& path, const base::WString* extensions, int count,
                                                int* index) {
  return FileManager::Instance()->FileExists(root_ + path, extensions, count, index);
}

bool UserDataFileContainerWin32::FolderExistsImpl(const base::WString& path) {
  return FileManager::Instance()->FolderExists(root_ + path);
}

}  // namespace file
