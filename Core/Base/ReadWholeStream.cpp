#include "Core/Base/ReadWholeStream.h"

#include "Core/Base/LogMessage.h"
#include "Core/Base/Stream.h"

namespace base {

bool ReadWholeStream(Stream& stream, std::uint32_t maxBytes, const WString& what, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  const std::uint32_t size = stream.GetSize();
  if (size > maxBytes) {
    QL_LOG(u"%s is too large: %u bytes, at most %u\n").AddArg(what).AddArg(size).AddArg(maxBytes);
    return false;
  }
  bytes.resize(size);
  stream.Seek(0, kSeekBegin);
  if (size != 0 && stream.Read(bytes.data(), size) != size) {
    QL_LOG(u"%s cannot be read whole\n").AddArg(what);
    bytes.clear();
    return false;
  }
  return true;
}

}  // namespace base
