#include "Core/Animation/BinaryFields.h"

#include <bit>

#include "Core/Base/LittleEndian.h"
#include "Core/Base/Stream.h"
#include "Core/File/FileManager.h"

namespace animation {

std::unique_ptr<base::Stream> OpenFileStream(const base::WString& path) {
  const std::unique_ptr<file::FileInfo> entry(file::FileManager::Instance()->Open(path, nullptr, 0, nullptr));
  return std::unique_ptr<base::Stream>(entry ? entry->OpenStream() : nullptr);
}

std::uint32_t BytesLeft(base::Stream& stream) {
  const std::uint32_t size = stream.GetSize();
  const std::uint32_t position = stream.Seek(0, base::kSeekCurrent);
  return position < size ? size - position : 0;
}

bool CanHold(base::Stream& stream, std::uint32_t count, std::uint32_t recordSize) {
  return std::uint64_t{count} * recordSize <= BytesLeft(stream);
}

bool ReadFloat(base::Stream& stream, float& value) {
  std::uint32_t bits = 0;
  if (!base::ReadU32(stream, bits)) return false;
  value = std::bit_cast<float>(bits);
  return true;
}

QLResultEnum ReadSizedString(base::Stream& stream, std::string& out) {
  std::uint32_t length = 0;
  if (!base::ReadU32(stream, length) || !CanHold(stream, length, 1)) return QL_FAIL;
  out.resize(length);
  if (length != 0 && stream.Read(out.data(), length) != length) return QL_FAIL;
  return QL_OK;
}

}  // namespace animation
