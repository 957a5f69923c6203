#pragma once

#include <cstdint>
#include <vector>

namespace render {

// One bit per pixel, row by row (bit width * y + x), telling whether the
// pixel is opaque enough for a mouse test to hit it.
class AlphaHitMask {
 public:
  AlphaHitMask() = default;
  explicit AlphaHitMask(std::uint32_t count) { Resize(count, false); }

  // New bits are clear; with keep, the common prefix survives.
  void Resize(std::uint32_t count, bool keep);

  std::uint32_t GetCount() const { return count_; }
  // False for a bit beyond the mask.
  bool Get(std::uint32_t index) const;
  void Set(bool value, std::uint32_t index);

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint32_t count_ = 0;
};

}  // namespace render
