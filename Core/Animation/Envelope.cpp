#include "Core/Animation/Envelope.h"

#include "Core/Animation/BinaryFields.h"
#include "Core/Base/LittleEndian.h"

namespace animation {

QLResultEnum Envelope::Read(base::Stream& stream) {
  std::uint32_t count = 0;
  if (!base::ReadU32(stream, count) || !base::ReadU32(stream, pre) || !base::ReadU32(stream, post)) return QL_FAIL;
  if (!CanHold(stream, count, sizeof(EnvelopeKey))) return QL_FAIL;
  keys.assign(count, EnvelopeKey{});
  for (EnvelopeKey& key : keys) {
    if (!ReadFloat(stream, key.value) || !ReadFloat(stream, key.time) || !base::ReadU32(stream, key.shape)) {
      return QL_FAIL;
    }
    for (float& parameter : key.p) {
      if (!ReadFloat(stream, parameter)) return QL_FAIL;
    }
  }
  return QL_OK;
}

}  // namespace animation
