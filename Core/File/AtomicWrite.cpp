#include "Core/File/AtomicWrite.h"

#include "Core/File/FileManager.h"
#include "Core/File/Path.h"

namespace file {

QLResultEnum WriteFileAtomically(const base::WString& path,
                                 const std::function<QLResultEnum(base::FileStream&)>& write) {
  const base::WString temporary = path + u".tmp";
  FileManager* files = FileManager::Instance();
  files->DeleteFile(temporary);
  QLResultEnum result = QL_FAIL;
  {
    base::FileStream stream;
    // A new file only: nothing is written through a link planted at the
    // temporary name.
    if (stream.Open(temporary, kWriteAccess, kCreateNew) != QL_OK) return QL_FAIL;
    result = write(stream);
    if (result == QL_OK && (stream.Flush() != QL_OK || stream.Close() != QL_OK)) result = QL_FAIL;
  }
  if (result == QL_OK && files->MoveFile(temporary, path) != QL_OK) result = QL_FAIL;
  if (result != QL_OK) {
    files->DeleteFile(temporary);
    return result;
  }
  return files->SyncFolder(GetFolder(path));
}

}  // namespace file
