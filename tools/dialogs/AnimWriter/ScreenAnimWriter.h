#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// A key of a linear span: the value reached at the time.
struct LinearKey {
  float time = 0.0f;
  float value = 0.0f;
};

// One animation of one layer on the screen ("screen_res": no mesh library),
// in the animation file format. Channels follow the file's motion order:
// position x, y, z, heading, pitch, bank, scale x, y, z, dissolve. A channel
// without keys stays at 0.
struct ScreenAnim {
  std::string name;
  float startTime = 0.0f;
  float endTime = 0.0f;
  std::string layerName = "dialog";
  std::array<std::vector<LinearKey>, 10> channels;
};

enum ScreenAnimChannel : std::size_t {
  kChannelPositionX = 0,
  kChannelPositionY = 1,
  kChannelScaleX = 6,
  kChannelScaleY = 7,
  kChannelScaleZ = 8,
  kChannelDissolve = 9,
};

// The file's bytes, little-endian, with constant behaviour before the first
// key and after the last.
std::vector<std::uint8_t> WriteScreenAnim(const ScreenAnim& anim);

}  // namespace tools
