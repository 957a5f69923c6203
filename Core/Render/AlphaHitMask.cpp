#include "Core/Render/AlphaHitMask.h"

namespace render {

void AlphaHitMask::Resize(std::uint32_t count, bool keep) {
  const std::size_t bytes = (static_cast<std::size_t>(count) + 7) / 8;
  if (!keep) {
    bytes_.assign(bytes, 0);
  } else {
    bytes_.resize(bytes, 0);
    // Bits past the new end of a shortened last byte would reappear on growth.
    if (count % 8 != 0) bytes_.back() &= static_cast<std::uint8_t>((1u << (count % 8)) - 1);
  }
  if (count == 0) bytes_.shrink_to_fit();
  count_ = count;
}

bool AlphaHitMask::Get(std::uint32_t index) const {
  return index < count_ && (bytes_[index / 8] >> (index % 8) & 1u) != 0;
}

void AlphaHitMask::Set(bool value, std::uint32_t index) {
  if (index >= count_) return;
  const auto bit = static_cast<std::uint8_t>(1u << (index % 8));
  if (value) {
    bytes_[index / 8] |= bit;
  } else {
    bytes_[index / 8] &= static_cast<std::uint8_t>(~bit);
  }
}

}  // namespace render
