#include "tools/dialogs/AnimWriter/ScreenAnimWriter.h"

#include <bit>

#include "Core/Base/LittleEndian.h"

namespace tools {

namespace {

constexpr std::uint32_t kBehaviourConstant = 1;
constexpr std::uint32_t kShapeLinear = 3;
constexpr int kKeyParameters = 6;

void AppendFloat(std::vector<std::uint8_t>& bytes, float value) {
  base::AppendU32(bytes, std::bit_cast<std::uint32_t>(value));
}

void AppendString(std::vector<std::uint8_t>& bytes, const std::string& text) {
  base::AppendU32(bytes, static_cast<std::uint32_t>(text.size()));
  bytes.insert(bytes.end(), text.begin(), text.end());
}

void AppendEnvelope(std::vector<std::uint8_t>& bytes, const std::vector<LinearKey>& keys) {
  base::AppendU32(bytes, static_cast<std::uint32_t>(keys.size()));
  base::AppendU32(bytes, kBehaviourConstant);
  base::AppendU32(bytes, kBehaviourConstant);
  for (const LinearKey& key : keys) {
    AppendFloat(bytes, key.value);
    AppendFloat(bytes, key.time);
    base::AppendU32(bytes, kShapeLinear);
    for (int i = 0; i < kKeyParameters; ++i) AppendFloat(bytes, 0.0f);
  }
}

}  // namespace

std::vector<std::uint8_t> WriteScreenAnim(const ScreenAnim& anim) {
  std::vector<std::uint8_t> bytes;
  AppendString(bytes, anim.name);
  AppendFloat(bytes, anim.startTime);
  AppendFloat(bytes, anim.endTime);
  base::AppendU32(bytes, 1);  // one track
  AppendString(bytes, anim.layerName);
  AppendString(bytes, "screen_res");
  AppendString(bytes, "null");
  for (int word = 0; word < 4; ++word) base::AppendU32(bytes, 0);  // parent, flag A, flag B, colour
  for (const std::vector<LinearKey>& channel : anim.channels) AppendEnvelope(bytes, channel);
  return bytes;
}

}  // namespace tools
