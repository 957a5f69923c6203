#include "Core/File/AtomicWrite.h"

#include "Core/File/FileManager.h"

namespace file {

namespace {
constexpr int kWriteAccess = 1;
constexpr int kCreateOrTruncate = 0;
}  // namespace

QLResultEnum WriteFileAtomically(const base::WString& path,
                                 const std::function<QLResultEnum(base::FileStream&)>& write) {
  const base::WString temporary = path + u".tmp";
  QLResultEnum result = QL_FAIL;
  {
    base::FileStream stream;
    if (stream.Open(temporary, kWriteAccess, kCreateOrTruncate) != QL_OK) return QL_FAIL;
    result = write(stream);
    if (result == QL_OK && (stream.Flush() != QL_OK || stream.Close() != QL_OK)) result = QL_FAIL;
  }
  FileManager* files = FileManager::Instance();
  if (result == QL_OK && files->MoveFile(temporary, path) != QL_OK) result = QL_FAIL;
  if (result != QL_OK) files->DeleteFile(temporary);
  return result;
}

}  // namespace file
