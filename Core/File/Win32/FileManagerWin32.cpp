#include "Core/File/Win32/FileManagerWin32.h"

#include <memory>

#include "Core/Base/FileStream.h"
#include "Core/Base/StreamCreator.h"
#include "Core/Base/SystemPath.h"
#include "Core/Base/Utf.h"
#include "Platform/FileSystem.h"

namespace file {

namespace {

QLResultEnum ResultOf(bool ok) { return ok ? QL_OK : QL_FAIL; }

}  // namespace

base::Stream* FileManagerWin32::OpenStream(const base::WString& path) {
  auto stream = std::make_unique<base::FileStream>();
  if (stream->Open(path, kReadAccess, kOpenExisting) != QL_OK) return nullptr;
  return stream.release();
}

base::StreamCreator* FileManagerWin32::CreateStreamCreator(const base::WString& path) {
  return new base::FileStreamCreator(path, kReadAccess, kOpenExisting);
}

QLResultEnum FileManagerWin32::ListFilesImpl(const base::WString& base, const base::WString& folder,
                                             const base::WString& relative, bool recursive,
                                             std::vector<base::WString>& out, bool relativeNames) {
  for (const auto& entry : platform::ListFolder(base::SystemPath(folder + relative))) {
    const base::WString name = relative + base::WideFromUtf8Lenient(entry.name);
    if (entry.kind == platform::EntryKind::kFile) {
      out.push_back(relativeNames ? name : base + name);
    } else if (recursive && !entry.isLink) {
      ListFilesImpl(base, folder, name + u'/', recursive, out, relativeNames);
    }
  }
  return QL_OK;
}

QLResultEnum FileManagerWin32::ListFoldersImpl(const base::WString& base, const base::WString& folder,
                                               const base::WString& relative, std::vector<base::WString>& out,
                                               bool relativeNames) {
  for (const auto& entry : platform::ListFolder(base::SystemPath(folder + relative))) {
    if (entry.kind != platform::EntryKind::kFolder) continue;
    const base::WString name = relative + base::WideFromUtf8Lenient(entry.name);
    out.push_back(relativeNames ? name : base + name);
  }
  return QL_OK;
}

bool FileManagerWin32::FileExistsImpl(const base::WString& path, const base::WString* extensions, int count,
                                      int* index) {
  if (!extensions || count <= 0) return platform::GetEntryKind(base::SystemPath(path)) == platform::EntryKind::kFile;
  for (int i = 0; i < count; ++i) {
    if (platform::GetEntryKind(base::SystemPath(path + extensions[i])) != platform::EntryKind::kFile) continue;
    if (index) *index = i;
    return true;
  }
  return false;
}

bool FileManagerWin32::FolderExistsImpl(const base::WString& path) {
  return platform::GetEntryKind(base::SystemPath(path)) == platform::EntryKind::kFolder;
}

QLResultEnum FileManagerWin32::SetCurrentDirectory(const base::WString& path) {
  return ResultOf(platform::SetCurrentFolder(base::SystemPath(path)));
}

QLResultEnum FileManagerWin32::DeleteFile(const base::WString& path) {
  return ResultOf(platform::RemoveFile(base::SystemPath(path)));
}

QLResultEnum FileManagerWin32::CreateDirectory(const base::WString& path) {
  return ResultOf(platform::MakeFolder(base::SystemPath(path)));
}

QLResultEnum FileManagerWin32::MoveFile(const base::WString& from, const base::WString& to) {
  return ResultOf(platform::RenameFile(base::SystemPath(from), base::SystemPath(to)));
}

QLResultEnum FileManagerWin32::SyncFolder(const base::WString& path) {
  return ResultOf(platform::SyncFolder(base::SystemPath(path)));
}

}  // namespace file
