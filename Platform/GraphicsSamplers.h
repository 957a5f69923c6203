#pragma once

#include <array>

#include "Platform/GraphicsContext.h"
#include "Platform/GraphicsStates.h"

namespace platform {

// How each texture stage samples: one GL sampler object per stage, bound to
// the texture unit of the same number, so that the filtering belongs to the
// stage as it does on Direct3D 9 and not to the texture.
class GraphicsSamplers {
 public:
  explicit GraphicsSamplers(ContextLink context);
  ~GraphicsSamplers();
  GraphicsSamplers(const GraphicsSamplers&) = delete;
  GraphicsSamplers& operator=(const GraphicsSamplers&) = delete;

  // False for a stage out of range.
  bool SetFilters(int stage, TextureFilter minify, TextureFilter magnify, TextureFilter mip);
  bool SetAddress(int stage, TextureAddress u, TextureAddress v);

  // Direct3D 9's defaults on every stage: point filtering, no mip levels, wrapping.
  void Reset();

 private:
  ContextLink context_;
  std::array<unsigned, kTextureStages> names_{};
};

}  // namespace platform
