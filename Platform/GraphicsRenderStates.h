#pragma once

#include "Platform/GraphicsStates.h"

namespace platform {

// Blending, culling, scissor and depth as Direct3D 9 render states, each
// applied to GL as it is set.
class GraphicsRenderStates {
 public:
  // Direct3D 9's defaults, with the scissor rect covering the target.
  void Reset(const PixelRect& target);

  void SetAlphaBlendEnable(bool enable);
  void SetBlendFactors(BlendFactor source, BlendFactor destination);
  // Off, alpha blends with the colour factors.
  void SetSeparateAlphaBlendEnable(bool enable);
  void SetAlphaBlendFactors(BlendFactor source, BlendFactor destination);
  void SetCullMode(CullMode mode);
  void SetScissorEnable(bool enable);
  void SetScissorRect(const PixelRect& rect);
  void SetDepthEnable(bool enable);
  void SetDepthWrite(bool enable);

  bool IsScissorEnabled() const { return scissorEnabled_; }
  const PixelRect& GetScissorRect() const { return scissorRect_; }

  // Puts back what a clear or a present changed behind the states' back.
  void ApplyScissor() const;
  void ApplyDepth() const;

 private:
  void ApplyBlend() const;
  void ApplyCull() const;

  bool blendEnabled_ = false;
  BlendFactor source_ = BlendFactor::kOne;
  BlendFactor destination_ = BlendFactor::kZero;
  bool separateAlpha_ = false;
  BlendFactor alphaSource_ = BlendFactor::kOne;
  BlendFactor alphaDestination_ = BlendFactor::kZero;
  CullMode cull_ = CullMode::kCounterClockwise;
  bool scissorEnabled_ = false;
  PixelRect scissorRect_;
  bool depthEnabled_ = true;
  bool depthWrite_ = true;
};

}  // namespace platform
