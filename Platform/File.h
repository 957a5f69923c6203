#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

enum class FileAccess { kRead, kWrite, kReadWrite, kNone };
enum class FileCreation { kCreateAlways, kCreateNew, kOpenExisting };
enum class SeekOrigin { kBegin, kCurrent, kEnd };

// A regular file opened by UTF-8 path. Only regular files open: a folder, a
// pipe or a device is refused, so a strange path can never block a read.
class File {
 public:
  File() = default;
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  bool Open(const std::string& path, FileAccess access, FileCreation creation);
  bool Close();
  bool IsOpen() const { return fd_ >= 0; }

  // Transfer the whole count unless the file ends or fails first.
  std::optional<std::uint64_t> Read(void* buffer, std::uint64_t count);
  std::optional<std::uint64_t> Write(const void* buffer, std::uint64_t count);

  // Waits until what was written is on the disk.
  bool Sync();

  std::optional<std::int64_t> Seek(std::int64_t offset, SeekOrigin origin);
  std::optional<std::uint64_t> Size() const;

 private:
  int fd_ = -1;
};

}  // namespace platform
