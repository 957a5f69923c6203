#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace platform {

struct ShaderModel {
  int major = 0;
  int minor = 0;
  auto operator<=>(const ShaderModel&) const = default;
};

// What a device can do, in the terms the renderer checks at start-up.
struct DeviceCaps {
  int maxTextureWidth = 0;
  int maxTextureHeight = 0;
  std::uint32_t maxVertexIndex = 0;
  ShaderModel vertexShader;
  ShaderModel pixelShader;
  bool scissorTest = false;
  bool anisotropicMinify = false;
  bool anisotropicMagnify = false;
};

// The capabilities of the current GL context, or the override when one is set.
DeviceCaps QueryDeviceCaps();

// Makes every device report these capabilities instead of its own, so that
// the renderer's reaction to a weaker card can be tried; nullopt ends it.
void OverrideDeviceCaps(std::optional<DeviceCaps> caps);

}  // namespace platform
