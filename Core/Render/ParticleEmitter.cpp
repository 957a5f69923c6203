#include "Core/Render/ParticleEmitter.h"

#include <limits>
#include <utility>

#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/DrawParam.h"
#include "Core/Render/DrawParamQuad.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/ParticleSystem.h"
#include "Core/Render/PrimitiveType.h"
#include "Core/Render/Render.h"
#include "Core/Render/Shader.h"
#include "Core/Render/Vertices.h"
#include "Platform/Particles/Emitter.h"

namespace render {

namespace {

// A list is cut where its indices would no longer fit the main index buffer,
// so that one list never needs more than a frame's buffers hold.
constexpr std::uint32_t kMaxParticlesPerDraw = Render::kIndexCache16Count / 6;

void ResetBounds(math::AABB* box) {
  constexpr float kFar = std::numeric_limits<float>::max();
  if (box) *box = {{kFar, kFar, kFar}, {-kFar, -kFar, -kFar}};
}

void ExtendBounds(math::AABB* box, const SVertex2D* vertices, std::uint32_t count) {
  if (!box) return;
  for (std::uint32_t i = 0; i < count; ++i) box->Extend(math::Point3{vertices[i].x, vertices[i].y, vertices[i].z});
}

math::Point4 UnpackColor(std::uint32_t argb) {
  const auto channel = [argb](int shift) { return static_cast<float>((argb >> shift) & 0xFFu) / 255.0f; };
  return {channel(16), channel(8), channel(0), channel(24)};
}

}  // namespace

ParticleEmitter::ParticleEmitter(const ParticleSystem& system, std::unique_ptr<particles::Emitter> emitter,
                                 std::size_t atlasBase)
    : emitter_(std::move(emitter)), system_(system), atlasBase_(atlasBase) {}

ParticleEmitter::~ParticleEmitter() = default;

void ParticleEmitter::SetState(std::int32_t state) {
  const std::int32_t previous = state_;
  if (state == previous) return;
  switch (state) {
    case kRunning:
      if (emitter_->IsInterrupt()) emitter_->SetInterrupt(false);
      EnterInterval(previous);
      break;
    case kFinishing:
      EnterInterval(previous);
      emitter_->SetInterrupt(true);
      break;
    case kStopped:
      // A finishing emitter keeps its particles in the engine; only a running
      // one is cut off.
      if (previous != kFinishing) emitter_->Stop();
      break;
    default:
      break;
  }
  state_ = state;
}

void ParticleEmitter::EnterInterval(std::int32_t previousState) {
  if (previousState == kStopped || !emitter_->IsPlaying()) emitter_->Start();
}

void ParticleEmitter::Update(double seconds) {
  if (state_ != kRunning && state_ != kFinishing) return;
  const double milliseconds = emitter_->IsInterpolation() ? seconds * 1000.0 : emitter_->GetUpdateTime();
  if (emitter_->Update(milliseconds)) return;
  if (state_ == kRunning) emitter_->Stop();
  state_ = kStopped;
}

QLResultEnum ParticleEmitter::Draw(Graphics* g, DrawParam* param, ParticleDrawOutput* output) {
  if (output) {
    ResetBounds(output->bounds);
    ResetBounds(output->transformedBounds);
  }
  if (!g || !g->GetTexturedShader()) return QL_FAIL;
  friend_.Attach(g);
  ShaderTextured& shader = *g->GetTexturedShader();
  friend_.SetShader(shader.GetImplementation());
  const std::uint32_t blendMode = g->GetState().blendMode;

  QLResultEnum result = QL_OK;
  std::uint32_t total = 0;
  if (state_ != kStopped && emitter_->IsPlaying()) {
    particles::RenderedList list;
    for (emitter_->FirstRenderedList(list, kMaxParticlesPerDraw); list.count != 0 && result == QL_OK;
         emitter_->NextRenderedList(list)) {
      Image* atlas = system_.GetAtlas(atlasBase_ + list.textureIndex);
      // A list without its atlas has nothing to draw with; the others still draw.
      if (!atlas) continue;
      g->SetBlendMode(list.intense ? kBlendAdditive : kBlendAlpha);
      result = DrawList(*g, *atlas, param, output, list.count);
      if (result == QL_OK) total += list.count;
    }
  }
  g->SetBlendMode(blendMode);
  if (result == QL_OK && output) output->particleCount = static_cast<std::int32_t>(total);
  return result;
}

QLResultEnum ParticleEmitter::DrawList(Graphics& g, Image& atlas, DrawParam* param, ParticleDrawOutput* output,
                                       std::uint32_t count) {
  auto* vertexCache = VertexCacheOf<SVertex2D>(g.GetRender());
  auto* indexCache = g.GetRender().GetIndexCache16();
  if (!vertexCache || !indexCache) return QL_FAIL;
  const std::uint32_t vertexCount = 4 * count;
  SVertex2D* vertices = nullptr;
  BufferDoubleCache<VertexBuffer<SVertex2D>>::Range vertexRange;
  if (const QLResultEnum result = vertexCache->Allocate(vertexCount, &vertices, &vertexRange); result != QL_OK) {
    return result;
  }
  if (const QLResultEnum result = CheckIndexRange16(vertexRange.first, vertexCount); result != QL_OK) return result;
  std::uint16_t* indices = nullptr;
  Render::IndexCache16::Range indexRange;
  if (const QLResultEnum result = indexCache->Allocate(6 * count, &indices, &indexRange); result != QL_OK) {
    return result;
  }

  const math::Point4 tint = g.GetColor();
  for (std::uint32_t i = 0; i < count; ++i) {
    particles::ParticleQuad quad;
    if (!emitter_->NextParticleQuad(quad)) quad = {};
    const std::uint32_t diffuse = PackColor(UnpackColor(quad.colour) * tint);
    for (int k = 0; k < 4; ++k) {
      const particles::QuadCorner& corner = quad.corners[k];
      vertices[4 * i + k] = {corner.x, corner.y, 0.0f, 1.0f, diffuse, 0xFFFFFFFFu, corner.u, corner.v};
    }
    WriteQuadIndices(vertexRange.first + 4 * i, indices + 6 * i);
  }

  const VertexFormat& format = SVertex2D::Format();
  if (const QLResultEnum result = atlas.MapTexCoords(vertices, vertexCount, 0, format); result != QL_OK) return result;
  ExtendBounds(output ? output->bounds : nullptr, vertices, vertexCount);
  if (param) {
    if (const QLResultEnum result = param->TransformVertices(vertices, format, vertexCount); result != QL_OK) {
      return result;
    }
  }
  ExtendBounds(output ? output->transformedBounds : nullptr, vertices, vertexCount);
  if (const QLResultEnum result = friend_.ApplyTransform(vertices, format, vertexCount); result != QL_OK) return result;
  if (const QLResultEnum result = friend_.ApplyHalfPixelOffset(vertices, format, vertexCount); result != QL_OK) {
    return result;
  }

  friend_.SetVertexBuffer(vertexRange.buffer->GetImpl());
  friend_.SetIndexBuffer(indexRange.buffer->GetImpl());
  if (const QLResultEnum result = friend_.ApplyState(); result != QL_OK) return result;
  ShaderTextured& shader = *g.GetTexturedShader();
  if (const QLResultEnum result = shader.SetImage(&atlas); result != QL_OK) return result;
  if (const QLResultEnum result = friend_.SetProjection(shader); result != QL_OK) return result;
  return g.GetRender().DrawIndexedPrimitive(kTriangleList, indexRange.first, 2 * count, vertexRange.first, vertexCount);
}

void ParticleEmitter::SetPosition(float x, float y, std::int32_t mode) {
  emitter_->SetPositionMode(mode);
  emitter_->SetPosition(x, y);
}

void ParticleEmitter::GetPosition(float& x, float& y) const { emitter_->GetPosition(x, y); }

void ParticleEmitter::SetDirection(float angle) { emitter_->SetDirection(angle); }

void ParticleEmitter::SetLoopMode(std::int32_t mode) { emitter_->SetLoopMode(mode == 1 || mode == 2 ? mode : 0); }

}  // namespace render
