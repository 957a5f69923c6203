#include "Core/Base/FileStream.h"

namespace base {

std::uint32_t FileStream::GetSize() { return handle_.GetSize(); }

std::uint32_t FileStream::Read(void* buffer, std::uint32_t count) {
  std::uint32_t read = 0;
  return handle_.Read(buffer, count, &read) == QL_OK ? read : 0;
}

std::uint32_t FileStream::Write(const void* buffer, std::uint32_t count) {
  std::uint32_t written = 0;
  return handle_.Write(buffer, count, &written) == QL_OK ? written : 0;
}

std::uint32_t FileStream::Seek(std::int32_t offset, std::int32_t origin) { return handle_.Seek(offset, origin); }

}  // namespace base
