#pragma once

#include <cstdint>

#include "Core/Base/Result.h"
#include "Core/Base/WString.h"
#include "Platform/File.h"

namespace file {

// Access codes: 0 read, 1 write, 2 both, anything else neither.
// Creation codes: 0 create or truncate, 1 create new only, 2 open existing.
// They number the platform's kinds.
inline constexpr int kReadAccess = static_cast<int>(platform::FileAccess::kRead);
inline constexpr int kWriteAccess = static_cast<int>(platform::FileAccess::kWrite);
inline constexpr int kCreateAlways = static_cast<int>(platform::FileCreation::kCreateAlways);
inline constexpr int kCreateNew = static_cast<int>(platform::FileCreation::kCreateNew);
inline constexpr int kOpenExisting = static_cast<int>(platform::FileCreation::kOpenExisting);

class FileHandleWin32 {
 public:
  virtual ~FileHandleWin32() = default;

  QLResultEnum Open(const base::WString& path, int access, int creation);
  QLResultEnum Close();
  QLResultEnum Read(void* buffer, std::uint32_t count, std::uint32_t* read);
  QLResultEnum Write(const void* buffer, std::uint32_t count, std::uint32_t* written);
  // Returns once what was written is on the disk.
  QLResultEnum Flush();
  // A seek the system refuses leaves the position where it was and returns it.
  std::uint32_t Seek(std::int32_t offset, std::int32_t origin);
  // Files beyond 4 GiB report 4 GiB - 1.
  std::uint32_t GetSize() const;

  const base::WString& GetPath() const { return path_; }

 private:
  platform::File file_;
  base::WString path_;
};

}  // namespace file
