#include "Core/Render/Render.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "Core/Render/BufferDoubleCacheCreator.h"
#include "Core/Render/Shader.h"
#include "Core/Render/Texture.h"

namespace render {

namespace {

template <class S>
QLResultEnum CreateBuiltInShader(Render& render, QLResultEnum (Render::*create)(std::unique_ptr<ShaderImpl>&),
                                 std::unique_ptr<S>& out) {
  std::unique_ptr<ShaderImpl> impl;
  if (const QLResultEnum result = (render.*create)(impl); result != QL_OK) return result;
  out = std::make_unique<S>(std::move(impl));
  return out->BindVariables();
}

template <class S>
void ReleaseBuiltInShader(std::unique_ptr<S>& shader) {
  if (!shader) return;
  shader->UnLoad();
  shader.reset();
}

// Outside the int range the conversion would be undefined; such a rectangle
// only means "everything" or "nothing" on that side.
std::int64_t ClampToInt(float value) {
  constexpr float kLimit = 2147483520.0f;  // the largest float below 2^31
  if (std::isnan(value)) return 0;
  return static_cast<std::int64_t>(std::clamp(value, -kLimit, kLimit));
}

// The first pixel at or after an edge of a filled shape at design coordinate
// v, on one axis. The drawing code moves every vertex half a design unit up
// and left before the mapping; the device puts the vertex on its grid of
// 1/256 pixel and fills a pixel whose centre lies on or after a shape's left
// (top) edge and before its right (bottom) one.
std::int64_t FirstPixelFrom(float v, float scale, float offset) {
  constexpr float kSubpixels = 256.0f;
  const float edge = (v - 0.5f) * scale + offset;
  return ClampToInt(std::ceil(std::round(edge * kSubpixels) / kSubpixels));
}

// The pixels of one axis, as position and extent, that a fill from v over
// the extent would cover; a negative extent reaches back from v.
void ToDeviceSpan(float v, float extent, float scale, float offset, int* position, int* size) {
  const std::int64_t first = FirstPixelFrom(v, scale, offset);
  const std::int64_t last = FirstPixelFrom(v + extent, scale, offset);
  *position = static_cast<int>(std::min(first, last));
  *size = static_cast<int>(std::min<std::int64_t>(std::abs(last - first), std::numeric_limits<int>::max()));
}

}  // namespace

Render::Render() = default;

Render::~Render() {
  for (Buffer* buffer : buffers_) buffer->Detach();
  for (Texture* texture : textures_) texture->Detach();
  for (ShaderImpl* impl : shaderImpls_) impl->Detach();
}

QLResultEnum Render::Init(app::Window*, const RenderInitParam& param) {
  if (const QLResultEnum result = CreateBuiltInShader(*this, &Render::CreateGeomShader, geomShader_); result != QL_OK) {
    return result;
  }
  if (const QLResultEnum result = CreateBuiltInShader(*this, &Render::CreateTexturedMultShader, texturedMultShader_);
      result != QL_OK) {
    return result;
  }
  if (const QLResultEnum result = CreateBuiltInShader(*this, &Render::CreateTexturedTintShader, texturedTintShader_);
      result != QL_OK) {
    return result;
  }

  vertexCaches_.clear();
  vertexCaches_.resize(GetVertexFormatCount());
  for (std::uint32_t id = 0; id < vertexCaches_.size(); ++id) {
    const VertexFormat& format = GetVertexFormat(id);
    if (format.cacheCount == 0 && format.cacheBatch == 0) continue;
    const QLResultEnum result =
        GetCacheCreator(id).Create(*this, format.cacheCount, format.cacheBatch, vertexCaches_[id]);
    if (result != QL_OK) return result;
  }
  if (const QLResultEnum result = IndexCache16::Create(*this, kIndexCache16Count, kIndexCache16Batch, indexCache16_);
      result != QL_OK) {
    return result;
  }
  if (use32BitIndices_) {
    const QLResultEnum result = IndexCache32::Create(*this, kIndexCache32Count, kIndexCache32Batch, indexCache32_);
    if (result != QL_OK) return result;
  }

  if (const QLResultEnum result = SetScreen(param); result != QL_OK) return result;
  ResetState();
  return QL_OK;
}

QLResultEnum Render::SetScreen(const RenderInitParam& param) {
  screenScaleX_ = param.screenScaleX;
  screenScaleY_ = param.screenScaleY;
  screenOffsetX_ = param.screenOffsetX;
  screenOffsetY_ = param.screenOffsetY;
  if (!param.ortho) {
    projection_ = param.projection;
    return QL_OK;
  }
  return MakeOrthoProjection(static_cast<float>(param.width), static_cast<float>(param.height), &projection_);
}

void Render::ReleaseDeviceObjects() {
  vertexCaches_.clear();
  indexCache16_.reset();
  indexCache32_.reset();
  ReleaseBuiltInShader(geomShader_);
  ReleaseBuiltInShader(texturedMultShader_);
  ReleaseBuiltInShader(texturedTintShader_);
}

void Render::LoseDeviceObjects() {
  commands_.Rewind();
  for (Buffer* buffer : buffers_) buffer->OnLostDevice();
  for (Texture* texture : textures_) texture->OnLostDevice();
  for (ShaderImpl* impl : shaderImpls_) impl->OnLostDevice();
}

QLResultEnum Render::ResetDeviceObjects() {
  QLResultEnum result = QL_OK;
  const auto keepFirstFailure = [&result](QLResultEnum reset) {
    if (result == QL_OK) result = reset;
  };
  for (Buffer* buffer : buffers_) keepFirstFailure(buffer->OnResetDevice());
  for (Texture* texture : textures_) keepFirstFailure(texture->OnResetDevice());
  for (ShaderImpl* impl : shaderImpls_) keepFirstFailure(impl->OnResetDevice());
  return result;
}

QLResultEnum Render::MakeOrthoProjection(float width, float height, math::Matrix4* out) {
  *out = math::Matrix4();
  out->SetScale({2.0f / width, -2.0f / height, 1.0f});
  out->SetTranslation({-1.0f, 1.0f, 0.0f});
  return QL_OK;
}

QLResultEnum Render::ToDeviceRect(const float rect[4], int out[4]) {
  const RenderState::Target& target = pending_.target;
  ToDeviceSpan(rect[0], rect[2], target.scaleX, target.offsetX, &out[0], &out[2]);
  ToDeviceSpan(rect[1], rect[3], target.scaleY, target.offsetY, &out[1], &out[3]);
  return QL_OK;
}

QLResultEnum Render::GetGeomShader(resource::ResourceHandle<Shader>* out) const {
  if (!geomShader_) return QL_FAIL;
  *out = resource::ResourceHandle<Shader>(geomShader_.get());
  return QL_OK;
}

QLResultEnum Render::GetTexturedMultShader(resource::ResourceHandle<ShaderTextured>* out) const {
  if (!texturedMultShader_) return QL_FAIL;
  *out = resource::ResourceHandle<ShaderTextured>(texturedMultShader_.get());
  return QL_OK;
}

QLResultEnum Render::GetTexturedTintShader(resource::ResourceHandle<ShaderTextured>* out) const {
  if (!texturedTintShader_) return QL_FAIL;
  *out = resource::ResourceHandle<ShaderTextured>(texturedTintShader_.get());
  return QL_OK;
}

void Render::ForEachCache(const std::function<void(BufferDoubleCacheBase&)>& visit) const {
  for (const auto& cache : vertexCaches_) {
    if (cache) visit(*cache);
  }
  if (indexCache16_) visit(*indexCache16_);
  if (indexCache32_) visit(*indexCache32_);
}

BufferDoubleCacheBase* Render::GetVertexCache(std::uint32_t formatId) const {
  return formatId < vertexCaches_.size() ? vertexCaches_[formatId].get() : nullptr;
}

void Render::RegisterBuffer(Buffer* buffer) { buffers_.Add(buffer); }
void Render::RegisterTexture(Texture* texture) { textures_.Add(texture); }
void Render::RegisterShaderImpl(ShaderImpl* impl) { shaderImpls_.Add(impl); }
void Render::UnregisterBuffer(Buffer* buffer) { buffers_.Remove(buffer); }
void Render::UnregisterTexture(Texture* texture) { textures_.Remove(texture); }
void Render::UnregisterShaderImpl(ShaderImpl* impl) { shaderImpls_.Remove(impl); }

}  // namespace render
