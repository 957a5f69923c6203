#include "Platform/File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

int AccessFlags(FileAccess access) {
  switch (access) {
    case FileAccess::kRead: return O_RDONLY;
    case FileAccess::kWrite: return O_WRONLY;
    case FileAccess::kReadWrite: return O_RDWR;
    case FileAccess::kNone: break;
  }
  return O_PATH;
}

int CreationFlags(FileCreation creation) {
  switch (creation) {
    case FileCreation::kCreateAlways: return O_CREAT | O_TRUNC;
    // Never through a link: a link planted at the name is refused, not written.
    case FileCreation::kCreateNew: return O_CREAT | O_EXCL | O_NOFOLLOW;
    case FileCreation::kOpenExisting: break;
  }
  return 0;
}

}  // namespace

File::~File() { Close(); }

bool File::Open(const std::string& path, FileAccess access, FileCreation creation) {
  // Opened non-blocking so that a pipe cannot stall us before we refuse it.
  const int fd = ::open(path.c_str(), AccessFlags(access) | CreationFlags(creation) | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0) return false;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  if (access != FileAccess::kNone) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  fd_ = fd;
  return true;
}

bool File::Close() {
  if (fd_ < 0) return false;
  const int result = ::close(fd_);
  fd_ = -1;
  return result == 0;
}

std::optional<std::uint64_t> File::Read(void* buffer, std::uint64_t count) {
  auto* bytes = static_cast<char*>(buffer);
  std::uint64_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(fd_, bytes + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    done += static_cast<std::uint64_t>(got);
  }
  return done;
}

std::optional<std::uint64_t> File::Write(const void* buffer, std::uint64_t count) {
  const auto* bytes = static_cast<const char*>(buffer);
  std::uint64_t done = 0;
  while (done < count) {
    const ssize_t put = ::write(fd_, bytes + done, count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return std::nullopt;
    done += static_cast<std::uint64_t>(put);
  }
  return done;
}

bool File::Sync() { return fd_ >= 0 && ::fsync(fd_) == 0; }

std::optional<std::int64_t> File::Seek(std::int64_t offset, SeekOrigin origin) {
  const int whence = origin == SeekOrigin::kBegin ? SEEK_SET : origin == SeekOrigin::kCurrent ? SEEK_CUR : SEEK_END;
  const off_t position = ::lseek(fd_, offset, whence);
  if (position < 0) return std::nullopt;
  return position;
}

std::optional<std::uint64_t> File::Size() const {
  struct stat info {};
  if (fd_ < 0 || fstat(fd_, &info) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace platform
