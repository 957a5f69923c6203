#pragma once

#include <cstdint>

namespace platform {

// Outcome of a device call, in the terms of the renderer's device-loss road.
enum class DeviceResult { kOk, kInvalidCall, kDeviceLost, kDeviceNotReset, kOutOfVideoMemory };

// Bits of GraphicsDevice::Clear.
inline constexpr std::uint32_t kClearTarget = 1;
inline constexpr std::uint32_t kClearDepth = 2;
inline constexpr std::uint32_t kClearStencil = 4;

enum class PrimitiveType { kPointList, kLineList, kLineStrip, kTriangleList, kTriangleStrip, kTriangleFan };

enum class BlendFactor { kZero, kOne, kSourceAlpha, kInverseSourceAlpha };

// The winding that is dropped, as seen on the target with y pointing down.
enum class CullMode { kNone, kClockwise, kCounterClockwise };

// kNone is only meaningful as a mip filter: no mip levels are used.
enum class TextureFilter { kNone, kPoint, kLinear, kAnisotropic };
enum class TextureAddress { kWrap, kClamp };

enum class ShaderStage { kVertex, kPixel };

// Texture stages, each sampled from the GL texture unit of the same number.
inline constexpr int kTextureStages = 8;

// Pixels of the render target, top-left origin; depth range as in the
// projection's output.
struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
  float minZ = 0.0f, maxZ = 1.0f;
};

// Right and bottom edges are exclusive.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

}  // namespace platform
