#pragma once

#include <cstdint>

#include "Psd/PsdContour.h"
#include "Psd/PsdCursor.h"
#include "Psd/PsdDescriptorObjects.h"
#include "Psd/PsdError.h"

// Readers of one descriptor item's value that trust the type the file gives:
// a value of another type than the field wants is passed over by its type and
// the field is left. Each returns kPsdOk or the error of passing over.
namespace psd {

// The depth at which the items of an effect or fill descriptor lie.
constexpr int kPsdItemDepth = 2;

// 'UntF' (unit and double), 'doub' or 'long', truncated toward zero.
int ReadPsdIntValue(std::uint32_t type, PsdCursor& cursor, std::int32_t& value);
int ReadPsdDoubleValue(std::uint32_t type, PsdCursor& cursor, double& value);
// A percentage as a byte 0..255.
int ReadPsdOpacityValue(std::uint32_t type, PsdCursor& cursor, std::uint8_t& value);
int ReadPsdBoolValue(std::uint32_t type, PsdCursor& cursor, std::uint8_t& value);
// An enumeration's value id, after its type id.
int ReadPsdEnumValue(std::uint32_t type, PsdCursor& cursor, PsdDescriptorId& value);
// An enumeration through one of the enumeration readers.
int ReadPsdEnumValue(std::uint32_t type, PsdCursor& cursor, std::int32_t (*read)(PsdCursor&), std::int32_t& value);

int ReadPsdColorValue(std::uint32_t type, PsdCursor& cursor, std::uint32_t& color);
int ReadPsdGradientValue(std::uint32_t type, PsdCursor& cursor, PsdGradient& gradient);
int ReadPsdPatternValue(std::uint32_t type, PsdCursor& cursor, PsdPatternReference& reference);
int ReadPsdPointValue(std::uint32_t type, PsdCursor& cursor, std::int32_t& x, std::int32_t& y);
int ReadPsdContourValue(std::uint32_t type, PsdCursor& cursor, PsdContour& contour);

// Reads a descriptor's item count and calls read(key, type) for each item,
// which reads or passes over the value. The first error ends it.
template <class ReadItem>
int ReadPsdDescriptorItemList(PsdCursor& cursor, ReadItem read) {
  const std::uint32_t count = cursor.U32();
  for (std::uint32_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    const PsdDescriptorId key = ReadPsdDescriptorId(cursor);
    const int result = read(key, cursor.Key());
    if (result != kPsdOk) {
      return result;
    }
  }
  return kPsdOk;
}

// The same after passing over the descriptor's name and class id.
template <class ReadItem>
int ReadPsdDescriptorItems(PsdCursor& cursor, ReadItem read) {
  cursor.Skip(std::uint64_t{cursor.U32()} * 2);
  ReadPsdDescriptorId(cursor);
  return ReadPsdDescriptorItemList(cursor, read);
}

// A 4-byte key, or 0 for a text key.
inline std::uint32_t PsdKeyOf(const PsdDescriptorId& id) { return id.text.empty() ? id.key : 0; }

}  // namespace psd
