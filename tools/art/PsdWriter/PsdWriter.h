#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// Big-endian appenders for tests that build PSD bytes by hand.
void PutU8(std::vector<std::uint8_t>& out, std::uint32_t value);
void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value);
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value);
void PutBytes(std::vector<std::uint8_t>& out, std::string_view bytes);
void PutDouble(std::vector<std::uint8_t>& out, double value);
// A layer's tagged block: signature, key, length and the data, padded to even.
void PutTaggedBlock(std::vector<std::uint8_t>& out, std::string_view key, const std::vector<std::uint8_t>& data);

// Descriptor parts. An id of 4 characters is written in the 4-byte form,
// any other as text.
void PutDescriptorId(std::vector<std::uint8_t>& out, std::string_view id);
// An empty name, the class id and the item count.
void PutDescriptorHeader(std::vector<std::uint8_t>& out, std::string_view classId, std::uint32_t itemCount);
// An item's key and its type.
void PutDescriptorKey(std::vector<std::uint8_t>& out, std::string_view key, std::string_view type);
// 'UntF' items, booleans and enumerations, key included.
void PutUnitItem(std::vector<std::uint8_t>& out, std::string_view key, std::string_view unit, double value);
void PutBoolItem(std::vector<std::uint8_t>& out, std::string_view key, bool value);
void PutEnumItem(std::vector<std::uint8_t>& out, std::string_view key, std::string_view enumType,
                 std::string_view value);

// One layer of a PsdWriter document: 8-bit RGB with transparency.
struct PsdWriterLayer {
  std::string name;              // the Pascal name, at most 255 bytes
  std::u16string unicodeName;    // written as a 'luni' block when not empty
  std::int32_t top = 0, left = 0, width = 0, height = 0;
  std::uint8_t opacity = 255;
  std::vector<std::uint32_t> pixels;  // width x height, 0xAARRGGBB; empty: every pixel is fill
  std::uint32_t fill = 0;
  std::uint16_t compression = 0;      // 0 raw, 1 PackBits, 2 ZIP
  std::int32_t sectionType = -1;      // the 'lsct' type; -1 writes no divider
  std::vector<std::uint8_t> maskData;  // the layer mask block after its size
  std::uint32_t blendingRangesLength = 40;  // 0 or 8 + 8 per channel range
  std::vector<std::uint8_t> extraBlocks;    // tagged blocks appended as given
  // When not empty, what every one of the four channels stores (its
  // compression code first) in place of the pixels.
  std::vector<std::uint8_t> storedChannel;
  // Channels of a raw compression code and no data, listed after the four.
  std::vector<std::int16_t> emptyChannels;
};

// Writes a layered 8-bit RGB document: header, empty colour mode data, no
// resources, the layers bottom-most first, and a white opaque composite.
class PsdWriter {
 public:
  PsdWriter(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}

  // Layers go in file order: the first added is the bottom-most.
  void AddLayer(PsdWriterLayer layer) { layers_.push_back(std::move(layer)); }
  // A group as a layout sees it: the divider first, the folder after its
  // children, as writers store them.
  void BeginGroup();
  void EndGroup(const std::string& name);
  // 0 raw (the default), 1 PackBits or 2 ZIP for the composite.
  void SetCompositeCompression(std::uint16_t compression) { compositeCompression_ = compression; }

  std::vector<std::uint8_t> Write() const;

 private:
  std::int32_t width_;
  std::int32_t height_;
  std::vector<PsdWriterLayer> layers_;
  std::uint16_t compositeCompression_ = 0;
};

}  // namespace tools
