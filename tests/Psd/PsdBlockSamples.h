#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/art/PsdWriter/PsdWriter.h"

// Item blocks of layers, as the tests and the robustness sweep write them.
namespace psd_test {

using Bytes = std::vector<std::uint8_t>;
using namespace tools;

inline Bytes Block(std::string_view key, const Bytes& data) {
  Bytes out;
  PutTaggedBlock(out, key, data);
  return out;
}

inline Bytes Words(std::initializer_list<std::uint32_t> values) {
  Bytes out;
  for (std::uint32_t value : values) {
    PutU16(out, value);
  }
  return out;
}

inline Bytes Append(Bytes out, const Bytes& more) {
  out.insert(out.end(), more.begin(), more.end());
  return out;
}

inline Bytes Zeros(std::size_t count) { return Bytes(count, 0); }

inline Bytes Levels(std::uint32_t version) { return Append(Words({version}), Zeros(29 * 10)); }

// Curves of bitmap 6: channel 1 with the point (10, 20), channel 2 with (30, 40).
inline Bytes Curves(std::uint32_t version) {
  Bytes data = Zeros(1);
  PutU16(data, version);
  PutU32(data, 6);
  return Append(data, Words({1, 10, 20, 1, 30, 40}));
}

inline Bytes CurvesWithSecondPart(std::string_view signature, std::uint32_t version, std::uint32_t count) {
  Bytes data = Curves(4);
  PutBytes(data, signature);
  PutU16(data, version);
  PutU32(data, count);
  return Append(data, Words({1, 1, 10, 20, 2, 1, 30, 40}));
}

inline Bytes SolidColorFill(std::uint32_t version) {
  Bytes data;
  PutU32(data, version);
  PutDescriptorHeader(data, "null", 1);
  PutDescriptorKey(data, "Clr ", "Objc");
  PutDescriptorHeader(data, "RGBC", 3);
  PutDescriptorKey(data, "Rd  ", "doub");
  PutDouble(data, 255);
  PutDescriptorKey(data, "Grn ", "doub");
  PutDouble(data, 128);
  PutDescriptorKey(data, "Bl  ", "doub");
  PutDouble(data, 7);
  return data;
}

inline Bytes GradientFill(std::uint32_t version) {
  Bytes data;
  PutU32(data, version);
  PutDescriptorHeader(data, "null", 3);
  PutUnitItem(data, "Angl", "#Ang", 45.5);
  PutEnumItem(data, "Type", "GrdT", "Rdl ");
  PutBoolItem(data, "Dthr", true);
  return data;
}

inline Bytes PatternFill(std::uint32_t version) {
  Bytes data;
  PutU32(data, version);
  PutDescriptorHeader(data, "null", 2);
  PutUnitItem(data, "Scl ", "#Prc", 50);
  PutDescriptorKey(data, "Ptrn", "Objc");
  PutDescriptorHeader(data, "Ptrn", 1);
  PutDescriptorKey(data, "Idnt", "TEXT");
  PutU32(data, 2);
  PutBytes(data, std::string_view("\0i\0d", 4));
  return data;
}

inline void PutColor(Bytes& out, std::uint32_t space, std::uint32_t c0, std::uint32_t c1, std::uint32_t c2) {
  for (std::uint32_t value : {space, c0, c1, c2, 0u}) {
    PutU16(out, value);
  }
}

// One 'lrFX' effect: signature, key, size and data.
inline Bytes Effect(std::string_view key, const Bytes& data, std::string_view signature = "8BIM") {
  Bytes out;
  PutBytes(out, signature);
  PutBytes(out, key);
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  return Append(out, data);
}

inline Bytes CommonState(std::uint32_t version) {
  Bytes data;
  PutU32(data, version);
  PutU8(data, 1);
  PutU16(data, 0);
  return data;
}

inline Bytes Shadow(std::uint32_t version, std::string_view blendSignature = "8BIM") {
  Bytes data;
  for (std::uint32_t value : {version, 8u, 10u, 90u, 4u}) {
    PutU32(data, value);
  }
  PutColor(data, 0, 0xFF00, 0x8000, 0);
  PutBytes(data, blendSignature);
  PutBytes(data, "mul ");
  data = Append(data, Bytes{1, 0, 200});
  if (version == 2) {
    PutColor(data, 0, 0, 0xFF00, 0);
  }
  return data;
}

inline Bytes Glow(std::uint32_t version, bool inner) {
  Bytes data;
  for (std::uint32_t value : {version, 6u, 2u}) {
    PutU32(data, value);
  }
  PutColor(data, 0, 0xFF00, 0xFF00, 0);
  PutBytes(data, "8BIMscrn");
  data = Append(data, Bytes{1, 100});
  if (version == 2) {
    if (inner) {
      PutU8(data, 1);
    }
    PutColor(data, 0, 0xFF00, 0xFF00, 0);
  }
  return data;
}

inline Bytes Bevel(std::uint32_t version) {
  Bytes data;
  for (std::uint32_t value : {version, 120u, 3u, 1u}) {
    PutU32(data, value);
  }
  PutBytes(data, "8BIMscrn8BIMmul ");
  PutColor(data, 0, 0xFF00, 0xFF00, 0xFF00);
  PutColor(data, 0, 0, 0, 0);
  data = Append(data, Bytes{2, 191, 191, 1, 1, 1});
  return data;
}

inline Bytes LegacySolidFill(std::uint32_t version) {
  Bytes data;
  PutU32(data, version);
  PutBytes(data, "8BIMnorm");
  PutColor(data, 0, 0, 0, 0xFF00);
  data = Append(data, Bytes{255, 1});
  PutColor(data, 0, 0, 0, 0xFF00);
  return data;
}

inline Bytes Legacy(std::uint32_t version, const std::vector<Bytes>& effects) {
  Bytes data;
  PutU16(data, version);
  PutU16(data, static_cast<std::uint32_t>(effects.size()));
  for (const Bytes& effect : effects) {
    data = Append(data, effect);
  }
  Bytes block;
  PutTaggedBlock(block, "lrFX", data);
  return block;
}

// An 'lfx2' block around the descriptor items.
inline Bytes EffectsDescriptor(std::uint32_t itemCount, const Bytes& items, std::uint32_t descriptorVersion = 16) {
  Bytes data;
  PutU32(data, 0);
  PutU32(data, descriptorVersion);
  PutDescriptorHeader(data, "null", itemCount);
  Bytes block;
  PutTaggedBlock(block, "lfx2", Append(data, items));
  return block;
}

// A drop shadow of 'enab' true and 'Opct' 75, then what is given.
inline Bytes DropShadow(std::uint32_t moreItems = 0, const Bytes& more = {}) {
  Bytes out;
  PutDescriptorKey(out, "DrSh", "Objc");
  PutDescriptorHeader(out, "DrSh", 2 + moreItems);
  PutBoolItem(out, "enab", true);
  PutUnitItem(out, "Opct", "#Prc", 75);
  return Append(out, more);
}

}  // namespace psd_test
