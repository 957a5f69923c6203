#include "Platform/GraphicsSamplers.h"

#include <epoxy/gl.h>

#include <utility>

namespace platform {
namespace {

// Direct3D's maximum anisotropy stays at its default of 1 here, where
// anisotropic filtering is linear filtering.
bool IsLinear(TextureFilter filter) {
  return filter == TextureFilter::kLinear || filter == TextureFilter::kAnisotropic;
}

GLint MinifyFilter(TextureFilter minify, TextureFilter mip) {
  const bool linear = IsLinear(minify);
  switch (mip) {
    case TextureFilter::kNone: return linear ? GL_LINEAR : GL_NEAREST;
    case TextureFilter::kPoint: return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    case TextureFilter::kLinear:
    case TextureFilter::kAnisotropic: break;
  }
  return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
}

GLint Wrap(TextureAddress address) { return address == TextureAddress::kClamp ? GL_CLAMP_TO_EDGE : GL_REPEAT; }

bool InRange(int stage) { return stage >= 0 && stage < kTextureStages; }

}  // namespace

GraphicsSamplers::GraphicsSamplers(ContextLink context) : context_(std::move(context)) {
  glGenSamplers(kTextureStages, names_.data());
  for (int stage = 0; stage < kTextureStages; ++stage) glBindSampler(static_cast<GLuint>(stage), names_[stage]);
  Reset();
}

GraphicsSamplers::~GraphicsSamplers() {
  if (!context_.expired()) glDeleteSamplers(kTextureStages, names_.data());
}

bool GraphicsSamplers::SetFilters(int stage, TextureFilter minify, TextureFilter magnify, TextureFilter mip) {
  if (!InRange(stage)) return false;
  glSamplerParameteri(names_[stage], GL_TEXTURE_MIN_FILTER, MinifyFilter(minify, mip));
  glSamplerParameteri(names_[stage], GL_TEXTURE_MAG_FILTER, IsLinear(magnify) ? GL_LINEAR : GL_NEAREST);
  return true;
}

bool GraphicsSamplers::SetAddress(int stage, TextureAddress u, TextureAddress v) {
  if (!InRange(stage)) return false;
  glSamplerParameteri(names_[stage], GL_TEXTURE_WRAP_S, Wrap(u));
  glSamplerParameteri(names_[stage], GL_TEXTURE_WRAP_T, Wrap(v));
  return true;
}

void GraphicsSamplers::Reset() {
  for (int stage = 0; stage < kTextureStages; ++stage) {
    SetFilters(stage, TextureFilter::kPoint, TextureFilter::kPoint, TextureFilter::kNone);
    SetAddress(stage, TextureAddress::kWrap, TextureAddress::kWrap);
  }
}

}  // namespace platform
