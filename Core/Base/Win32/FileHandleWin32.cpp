#include "Core/Base/Win32/FileHandleWin32.h"

#include <algorithm>
#include <limits>

#include "Core/Base/SystemPath.h"

namespace file {

namespace {

constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();

std::uint32_t Clamp32(std::uint64_t value) { return static_cast<std::uint32_t>(std::min(value, kLargest)); }

}  // namespace

QLResultEnum FileHandleWin32::Open(const base::WString& path, int access, int creation) {
  path_ = path;
  if (creation < 0 || creation > 2) return QL_FAIL;
  const auto accessKind = access >= 0 && access <= 2 ? static_cast<platform::FileAccess>(access) : platform::FileAccess::kNone;
  // Reopening a handle must not leak the file it held.
  file_.Close();
  return file_.Open(base::SystemPath(path), accessKind, static_cast<platform::FileCreation>(creation)) ? QL_OK : QL_FAIL;
}

QLResultEnum FileHandleWin32::Close() {
  if (!file_.IsOpen()) return QL_FAIL;
  path_.clear();
  return file_.Close() ? QL_OK : QL_FAIL;
}

QLResultEnum FileHandleWin32::Read(void* buffer, std::uint32_t count, std::uint32_t* read) {
  const auto done = file_.IsOpen() ? file_.Read(buffer, count) : std::nullopt;
  if (!done) return QL_FAIL;
  if (read) *read = static_cast<std::uint32_t>(*done);
  return QL_OK;
}

QLResultEnum FileHandleWin32::Write(const void* buffer, std::uint32_t count, std::uint32_t* written) {
  const auto done = file_.IsOpen() ? file_.Write(buffer, count) : std::nullopt;
  if (!done) return QL_FAIL;
  if (written) *written = static_cast<std::uint32_t>(*done);
  return QL_OK;
}

QLResultEnum FileHandleWin32::Flush() { return file_.Sync() ? QL_OK : QL_FAIL; }

std::uint32_t FileHandleWin32::Seek(std::int32_t offset, std::int32_t origin) {
  if (!file_.IsOpen()) return 0;
  const auto whence = origin == 0 ? platform::SeekOrigin::kBegin
                      : origin == 1 ? platform::SeekOrigin::kCurrent
                                    : platform::SeekOrigin::kEnd;
  auto position = file_.Seek(offset, whence);
  if (!position) position = file_.Seek(0, platform::SeekOrigin::kCurrent);
  return Clamp32(static_cast<std::uint64_t>(position.value_or(0)));
}

std::uint32_t FileHandleWin32::GetSize() const { return Clamp32(file_.Size().value_or(0)); }

}  // namespace file
