#include "Platform/GraphicsCaps.h"

#include <epoxy/gl.h>

namespace platform {
namespace {

std::optional<DeviceCaps>& Override() {
  static std::optional<DeviceCaps> caps;
  return caps;
}

}  // namespace

DeviceCaps QueryDeviceCaps() {
  if (Override()) return *Override();
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  const bool anisotropic = epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic") || epoxy_gl_version() >= 46;
  DeviceCaps caps;
  caps.maxTextureWidth = maxSize;
  caps.maxTextureHeight = maxSize;
  // GL takes 32-bit indices without a limit of its own; this is what
  // Direct3D 9 cards commonly report, and far beyond what the renderer needs.
  caps.maxVertexIndex = 0xFFFFFF;
  // GLSL 3.30 does everything shader model 3.0 does.
  caps.vertexShader = {3, 0};
  caps.pixelShader = {3, 0};
  caps.scissorTest = true;
  caps.anisotropicMinify = anisotropic;
  caps.anisotropicMagnify = anisotropic;
  return caps;
}

void OverrideDeviceCaps(std::optional<DeviceCaps> caps) { Override() = caps; }

}  // namespace platform
