#include "Core/File/FileContainer.h"

#include "Core/File/Archiver.h"
#include "Core/File/FileManager.h"
#include "Core/File/Path.h"
#include "Core/File/PsdFile.h"
#include "Core/File/PsdFolder.h"

namespace file {

FileContainer::FileContainer(bool isArchive) : isArchive_(isArchive) {}

FileContainer::~FileContainer() = default;

Archiver* FileContainer::RouteToPack(const base::WString& path, base::WString& remainder) {
  for (const auto& [prefix, packPath] : FileManager::Instance()->mounts) {
    // An empty prefix would hand a pack's own paths back to itself forever.
    if (prefix.empty() || !path.starts_with(prefix) || !FileExistsImpl(packPath, nullptr, 0, nullptr)) continue;
    auto& archiver = archivers_[packPath];
    // A pack stays cached even when its directory could not be read.
    if (!archiver) archiver = std::make_unique<Archiver>(prefix, packPath, this);
    remainder = path.substr(prefix.size());
    return archiver.get();
  }
  return nullptr;
}

FileInfo* FileContainer::Open(const base::WString& path, const base::WString* extensions, int count, int* index) {
  base::WString remainder;
  if (Archiver* pack = RouteToPack(path, remainder)) return pack->Open(remainder, extensions, count, index);

  int found = 0;
  if (!FileExistsImpl(path, extensions, count, &found)) return nullptr;
  if (index) *index = found;
  const base::WString fullPath = extensions && count > 0 ? path + extensions[found] : path;
  return new FileInfo(GetFileName(path), fullPath, this, isArchive_);
}

QLResultEnum FileContainer::ListFiles(const base::WString& path, bool recursive, std::vector<base::WString>& out,
                                      bool relativeNames) {
  const base::WString folder = NormalizeFolder(path);
  base::WString remainder;
  if (Archiver* pack = RouteToPack(folder, remainder))
    return pack->ListFilesImpl(folder, remainder, {}, recursive, out, relativeNames);
  return ListFilesImpl(folder, folder, {}, recursive, out, relativeNames);
}

QLResultEnum FileContainer::ListFolders(const base::WString& path, std::vector<base::WString>& out,
                                        bool relativeNames) {
  const base::WString folder = NormalizeFolder(path);
  base::WString remainder;
  if (Archiver* pack = RouteToPack(folder, remainder))
    return pack->ListFoldersImpl(folder, remainder, {}, out, relativeNames);
  return ListFoldersImpl(folder, folder, {}, out, relativeNames);
}

bool FileContainer::FileExists(const base::WString& path, const base::WString* extensions, int count, int* index) {
  base::WString remainder;
  if (Archiver* pack = RouteToPack(path, remainder)) return pack->FileExists(remainder, extensions, count, index);
  return FileExistsImpl(path, extensions, count, index);
}

bool FileContainer::FolderExists(const base::WString& path) {
  base::WString remainder;
  if (Archiver* pack = RouteToPack(path, remainder)) return pack->FolderExists(remainder);
  return FolderExistsImpl(path);
}

ImageContainer* FileContainer::OpenImageContainer(const base::WString& path) {
  base::WString remainder;
  if (Archiver* pack = RouteToPack(path, remainder)) return pack->OpenImageContainer(remainder);

  // A layout that cannot be read is still a layout, an empty one.
  if (FolderExistsImpl(path)) {
    auto folder = std::make_unique<PsdFolder>(path, this);
    folder->Load();
    return folder.release();
  }
  static const base::WString documentExtensions[] = {u".psd", u""};
  int found = 0;
  if (!FileExistsImpl(path, documentExtensions, 2, &found)) return nullptr;
  auto document = std::make_unique<PsdFile>(path + documentExtensions[found], this);
  document->Load();
  return document.release();
}

}  // namespace file
