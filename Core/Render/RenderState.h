#pragma once

#include <array>
#include <cstdint>

namespace render {

class Texture;
class ShaderImpl;
class VertexBufferImpl;
class IndexBufferImpl;

enum BlendMode : std::uint32_t { kBlendOpaque = 0, kBlendAlpha = 1, kBlendAdditive = 2 };

// Everything a draw needs of the device besides its vertices. The Render
// compares these field by field, so only what really changed is recorded.
struct RenderState {
  // Where drawing goes and how design units map onto its pixels
  // (pixel = design * scale + offset); the mapping only matters for the
  // scissor rectangle.
  struct Target {
    Texture* texture = nullptr;  // null: the back buffer
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
  };

  Target target;
  ShaderImpl* shader = nullptr;
  VertexBufferImpl* vertexBuffer = nullptr;
  IndexBufferImpl* indexBuffer = nullptr;
  std::uint32_t blendMode = kBlendOpaque;
  bool scissorEnabled = false;
  std::array<float, 4> scissorRect{};  // x, y, width, height in design units
  bool depthEnabled = false;
  bool depthWrite = true;
};

}  // namespace render
