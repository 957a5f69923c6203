#include "Core/Animation/AnimTrack.h"

#include "Core/Animation/BinaryFields.h"
#include "Core/Base/LittleEndian.h"

namespace animation {

namespace {

// Flags are words in the file; only exactly 1 sets one.
bool ReadFlag(base::Stream& stream, bool& flag) {
  std::uint32_t value = 0;
  if (!base::ReadU32(stream, value)) return false;
  flag = value == 1;
  return true;
}

}  // namespace

QLResultEnum AnimTrack::Read(base::Stream& stream) {
  if (ReadSizedString(stream, layerName) != QL_OK || ReadSizedString(stream, meshLibraryName) != QL_OK ||
      ReadSizedString(stream, meshName) != QL_OK) {
    return QL_FAIL;
  }
  std::uint32_t parent = 0;
  if (!base::ReadU32(stream, parent)) return QL_FAIL;
  hasParent = parent != 0;
  parentIndex = hasParent ? parent - 1 : 0;
  bool hasColour = false;
  if (!ReadFlag(stream, flagA) || !ReadFlag(stream, flagB) || !ReadFlag(stream, hasColour)) return QL_FAIL;
  if (hasColour) {
    colour = std::make_unique<ColourEnvelopes>();
    for (Envelope* envelope : {&colour->red, &colour->green, &colour->blue, &colour->tintAmount}) {
      if (envelope->Read(stream) != QL_OK) return QL_FAIL;
    }
  }
  for (Envelope& envelope : motion) {
    if (envelope.Read(stream) != QL_OK) return QL_FAIL;
  }
  return QL_OK;
}

}  // namespace animation
