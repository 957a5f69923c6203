#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Core/Animation/Envelope.h"
#include "Core/Base/LittleEndian.h"

namespace animation_testing {

// Builds the little-endian files the animation and mesh readers take.
class FileBytes {
 public:
  FileBytes& U32(std::uint32_t value) {
    base::AppendU32(bytes_, value);
    return *this;
  }
  FileBytes& F32(float value) { return U32(std::bit_cast<std::uint32_t>(value)); }
  FileBytes& Text(std::string_view text) {
    U32(static_cast<std::uint32_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  FileBytes& Envelope(std::uint32_t pre, std::uint32_t post, const std::vector<animation::EnvelopeKey>& keys) {
    U32(static_cast<std::uint32_t>(keys.size())).U32(pre).U32(post);
    for (const animation::EnvelopeKey& key : keys) {
      F32(key.value).F32(key.time).U32(key.shape);
      for (const float parameter : key.p) F32(parameter);
    }
    return *this;
  }
  // A constant channel.
  FileBytes& Constant(float value) {
    return Envelope(animation::kBehaviourConstant, animation::kBehaviourConstant, {{value, 0.0f}});
  }

  std::string String() const { return {bytes_.begin(), bytes_.end()}; }
  std::uint32_t Size() const { return static_cast<std::uint32_t>(bytes_.size()); }
  const std::uint8_t* Data() const { return bytes_.data(); }

 private:
  std::vector<std::uint8_t> bytes_;
};

// A track head: layer, library and mesh names, parent word, flag words and
// the colour word.
inline FileBytes& TrackHead(FileBytes& bytes, std::string_view library, std::string_view mesh, bool colour = false) {
  return bytes.Text("layer").Text(library).Text(mesh).U32(0).U32(0).U32(0).U32(colour ? 1 : 0);
}

// Ten motion channels that leave a layer where a new one stands, but for the
// x position.
inline FileBytes& RestingMotion(FileBytes& bytes, float x = 0.0f) {
  bytes.Constant(x);
  for (int channel = 1; channel < 6; ++channel) bytes.Constant(0);
  for (int channel = 6; channel < 9; ++channel) bytes.Constant(1);
  return bytes.Constant(0);
}

}  // namespace animation_testing
