#include "Core/Render/DxtAlpha.h"

namespace render {

namespace {

std::uint64_t LittleEndianBits(const std::uint8_t* bytes, int count) {
  std::uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

// Index 3 of a block whose first colour is not above the second is the
// transparent one; every other texel is opaque.
BlockAlpha Dxt1Alpha(const std::uint8_t* block) {
  const auto colour0 = static_cast<std::uint16_t>(LittleEndianBits(block, 2));
  const auto colour1 = static_cast<std::uint16_t>(LittleEndianBits(block + 2, 2));
  const std::uint64_t indices = LittleEndianBits(block + 4, 4);
  BlockAlpha alpha{};
  for (int k = 0; k < 16; ++k) {
    const bool transparent = colour0 <= colour1 && (indices >> (2 * k) & 3u) == 3u;
    alpha[k] = transparent ? 0 : 255;
  }
  return alpha;
}

BlockAlpha Dxt3Alpha(const std::uint8_t* block) {
  const std::uint64_t nibbles = LittleEndianBits(block, 8);
  BlockAlpha alpha{};
  for (int k = 0; k < 16; ++k) alpha[k] = static_cast<std::uint8_t>((nibbles >> (4 * k) & 0xFu) * 17);
  return alpha;
}

BlockAlpha Dxt5Alpha(const std::uint8_t* block) {
  const int alpha0 = block[0];
  const int alpha1 = block[1];
  std::array<std::uint8_t, 8> palette{static_cast<std::uint8_t>(alpha0), static_cast<std::uint8_t>(alpha1)};
  if (alpha0 > alpha1) {
    for (int k = 1; k <= 6; ++k) palette[k + 1] = static_cast<std::uint8_t>(((7 - k) * alpha0 + k * alpha1) / 7);
  } else {
    for (int k = 1; k <= 4; ++k) palette[k + 1] = static_cast<std::uint8_t>(((5 - k) * alpha0 + k * alpha1) / 5);
    palette[6] = 0;
    palette[7] = 255;
  }
  const std::uint64_t indices = LittleEndianBits(block + 2, 6);
  BlockAlpha alpha{};
  for (int k = 0; k < 16; ++k) alpha[k] = palette[indices >> (3 * k) & 7u];
  return alpha;
}

}  // namespace

BlockAlpha DecodeBlockAlpha(ImageCompression compression, const std::uint8_t* block) {
  switch (compression) {
    case ImageCompression::kDxt1: return Dxt1Alpha(block);
    case ImageCompression::kDxt3: return Dxt3Alpha(block);
    case ImageCompression::kDxt5: return Dxt5Alpha(block);
    case ImageCompression::kNone: break;
  }
  BlockAlpha opaque;
  opaque.fill(255);
  return opaque;
}

}  // namespace render
