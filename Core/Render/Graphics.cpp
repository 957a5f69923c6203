#include "Core/Render/Graphics.h"

#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/DrawParamPositions.h"
#include "Core/Render/DrawParamQuad.h"
#include "Core/Render/Render.h"
#include "Core/Render/RenderTarget.h"
#include "Core/Render/Shader.h"
#include "Core/Render/Vertices.h"

namespace render {

namespace {

// NaN counts as 0, so that no channel reaches the integer conversion out of
// range.
float Saturate(float value) { return value >= 0.0f ? (value <= 1.0f ? value : 1.0f) : 0.0f; }

float Ratio(float numerator, float denominator) { return denominator != 0.0f ? numerator / denominator : 0.0f; }

}  // namespace

Graphics::Graphics(Render& render) : Graphics(render, nullptr) {
  state_.target = {nullptr, render.GetScreenScaleX(), render.GetScreenScaleY(), render.GetScreenOffsetX(),
                   render.GetScreenOffsetY()};
}

// The target must be one the Render made, whose texture knows its Render.
Graphics::Graphics(RenderTarget& target) : Graphics(*target.GetTexture()->GetRender(), &target) {
  state_.target = target.GetTargetRecord();
  if (!render_.IsInScene()) ownsScene_ = render_.BeginScene() == QL_OK;
}

Graphics::Graphics(Render& render, RenderTarget* target) : render_(render), target_(target) {
  state_.blendMode = kBlendAlpha;
  FetchShaders();
}

Graphics::~Graphics() {
  if (!ownsScene_) return;
  render_.EndScene();
  render_.ExecuteCommands();
}

void Graphics::FetchShaders() {
  resource::ResourceHandle<Shader> geom;
  if (render_.GetGeomShader(&geom) == QL_OK) geomShader_ = geom.Get();
  resource::ResourceHandle<ShaderTextured> textured;
  if (render_.GetTexturedMultShader(&textured) == QL_OK) texturedShader_ = textured.Get();
}

QLResultEnum Graphics::Flush() { return ownsScene_ ? render_.ExecuteCommands() : QL_OK; }

QLResultEnum Graphics::Clear(std::uint32_t flags, const float colour[4], float z, std::uint32_t stencil) {
  if (const QLResultEnum result = render_.SetTarget(&state_); result != QL_OK) return result;
  return render_.Clear(flags, colour, z, stencil);
}

const math::Matrix4& Graphics::GetProjection() const {
  return target_ ? target_->GetProjection() : render_.GetProjection();
}

QLResultEnum Graphics::SetBlendMode(std::uint32_t mode) {
  state_.blendMode = mode;
  dirty_ = true;
  return QL_OK;
}

void Graphics::SetScissorRect(const math::Rect& rect) {
  state_.scissorEnabled = true;
  state_.scissorRect = {rect.x, rect.y, rect.width, rect.height};
  dirty_ = true;
}

void Graphics::DisableScissor() {
  state_.scissorEnabled = false;
  dirty_ = true;
}

std::uint32_t Graphics::GetPackedColor() const {
  return PackColor({Saturate(colour_.r), Saturate(colour_.g), Saturate(colour_.b), Saturate(colour_.a)});
}

std::uint32_t Graphics::GetTintSpecular() const {
  const auto weight = static_cast<std::uint32_t>(static_cast<int>(Saturate(tint_) * 255.0f)) & 0xFFu;
  return weight << 8 | (255u - weight);
}

// The mode changes only with the shader, so that the two never disagree.
QLResultEnum Graphics::SelectTexturedShader(std::int32_t mode) {
  if (mode == texturedShaderMode_) return QL_OK;
  resource::ResourceHandle<ShaderTextured> shader;
  QLResultEnum result = QL_OK;
  if (mode == kTexturedShaderMult) {
    result = render_.GetTexturedMultShader(&shader);
  } else if (mode == kTexturedShaderTint) {
    result = render_.GetTexturedTintShader(&shader);
  } else {
    return QL_OK;
  }
  if (result != QL_OK) return result;
  texturedShaderMode_ = mode;
  texturedShader_ = shader.Get();
  return QL_OK;
}

QLResultEnum Graphics::SetTexturedShader(ShaderTextured* shader) {
  texturedShaderMode_ = kTexturedShaderGiven;
  if (shader) {
    texturedShader_ = shader;
    return QL_OK;
  }
  resource::ResourceHandle<ShaderTextured> builtIn;
  if (const QLResultEnum result = render_.GetTexturedMultShader(&builtIn); result != QL_OK) return result;
  texturedShader_ = builtIn.Get();
  return QL_OK;
}

QLResultEnum Graphics::ApplyHalfPixelOffset(void* vertices, const VertexFormat& format, std::uint32_t count) {
  ForEachPosition(vertices, format, count, [](float* position, std::uint32_t components) {
    position[0] -= 0.5f;
    if (components > 1) position[1] -= 0.5f;
    if (components > 2) position[2] = 0.0f;
  });
  return QL_OK;
}

QLResultEnum Graphics::ApplyTransform(void* vertices, const VertexFormat& format, std::uint32_t count) const {
  if (!transform_) return QL_OK;
  const math::Matrix4& matrix = transform_->GetMatrix();
  ForEachPosition(vertices, format, count, [&matrix](float* position, std::uint32_t components) {
    math::Point3 point{position[0], components > 1 ? position[1] : 0.0f, components > 2 ? position[2] : 0.0f};
    matrix.TransformPoint(point);
    position[0] = point.x;
    if (components > 1) position[1] = point.y;
    if (components > 2) position[2] = point.z;
  });
  return QL_OK;
}

DrawUntransformedParam<DrawImageParam> Graphics::DrawImage(Image* image) {
  return DrawUntransformedParam<DrawImageParam>(DrawImageParam(this, image));
}

DrawUntransformedParam<DrawImageParam> Graphics::DrawImageRegion(Image* image, const math::Rect& source) {
  DrawImageParam payload(this, image);
  payload.sourceX = source.x;
  payload.sourceY = source.y;
  payload.width = source.width;
  payload.height = source.height;
  return DrawUntransformedParam<DrawImageParam>(payload);
}

DrawTransform2DParam<DrawImageParam> Graphics::DrawImageRegionTo(Image* image, const math::Rect& source,
                                                                 const math::Rect& destination) {
  DrawImageParam payload(this, image);
  payload.sourceX = source.x;
  payload.sourceY = source.y;
  payload.width = source.width;
  payload.height = source.height;
  math::Transform2D transform;
  transform.Scale(Ratio(destination.width, source.width), Ratio(destination.height, source.height));
  transform.Translate(destination.x, destination.y);
  return DrawTransform2DParam<DrawImageParam>(payload, transform);
}

DrawTransform2DParam<DrawImageParam> Graphics::DrawImageTo(Image* image, const math::Rect& destination) {
  DrawImageParam payload(this, image);
  math::Transform2D transform;
  transform.Scale(Ratio(destination.width, payload.width), Ratio(destination.height, payload.height));
  transform.Translate(destination.x, destination.y);
  return DrawTransform2DParam<DrawImageParam>(payload, transform);
}

// A refused vertex request leaves a payload without vertices: it draws
// nothing.
DrawUntransformedParam<DrawCustomParam> Graphics::DrawLine(const Point& a, const Point& b) {
  DrawCustomParam payload(this, SVertexGeom::formatId);
  payload.primitiveType = kLineList;
  payload.shader = geomShader_;
  SVertexGeom* vertices = nullptr;
  BufferDoubleCache<VertexBuffer<SVertexGeom>>::Range range;
  auto* cache = VertexCacheOf<SVertexGeom>(render_);
  if (!cache || cache->Allocate(2, &vertices, &range) != QL_OK) return DrawUntransformedParam<DrawCustomParam>(payload);
  const std::uint32_t colour = GetPackedColor();
  vertices[0] = {a.x, a.y, 0.0f, colour};
  vertices[1] = {b.x, b.y, 0.0f, colour};
  payload.vertices = vertices;
  payload.startVertex = range.first;
  payload.vertexCount = 2;
  payload.vertexBuffer = range.buffer->GetImpl();
  return DrawUntransformedParam<DrawCustomParam>(payload);
}

DrawUntransformedParam<DrawCustomParam> Graphics::FillRect(const math::Rect& rect) {
  DrawCustomParam payload(this, SVertexGeom::formatId);
  payload.primitiveType = kTriangleList;
  payload.shader = geomShader_;
  SVertexGeom* vertices = nullptr;
  BufferDoubleCache<VertexBuffer<SVertexGeom>>::Range vertexRange;
  std::uint16_t* indices = nullptr;
  Render::IndexCache16::Range indexRange;
  auto* vertexCache = VertexCacheOf<SVertexGeom>(render_);
  auto* indexCache = render_.GetIndexCache16();
  if (!vertexCache || !indexCache || vertexCache->Allocate(4, &vertices, &vertexRange) != QL_OK ||
      CheckIndexRange16(vertexRange.first, 4) != QL_OK || indexCache->Allocate(6, &indices, &indexRange) != QL_OK) {
    return DrawUntransformedParam<DrawCustomParam>(payload);
  }
  const std::uint32_t colour = GetPackedColor();
  const float right = rect.x + rect.width;
  const float bottom = rect.y + rect.height;
  vertices[0] = {rect.x, rect.y, 0.0f, colour};
  vertices[1] = {right, rect.y, 0.0f, colour};
  vertices[2] = {right, bottom, 0.0f, colour};
  vertices[3] = {rect.x, bottom, 0.0f, colour};
  WriteQuadIndices(vertexRange.first, indices);
  payload.vertices = vertices;
  payload.startVertex = vertexRange.first;
  payload.vertexCount = 4;
  payload.vertexBuffer = vertexRange.buffer->GetImpl();
  payload.startIndex = indexRange.first;
  payload.indexCount = 6;
  payload.indexBuffer = indexRange.buffer->GetImpl();
  return DrawUntransformedParam<DrawCustomParam>(payload);
}

DrawUntransformedParam<DrawTextParam> Graphics::DrawText(const base::WString& text) {
  return DrawUntransformedParam<DrawTextParam>(DrawTextParam(this, &text, font_));
}

DrawUntransformedParam<DrawTextParam> Graphics::DrawTextBox(const base::WString& text, float boxWidth,
                                                            float firstLineIndent, std::uint32_t alignment,
                                                            bool justifySingleWords) {
  TextFormat format;
  format.boxWidth = boxWidth;
  format.firstLineIndent = firstLineIndent;
  format.alignment = alignment;
  format.justifySingleWords = justifySingleWords;
  return DrawUntransformedParam<DrawTextParam>(DrawTextParam(this, &text, font_, format));
}

DrawUntransformedParam<DrawParticlesParam> Graphics::DrawParticles(ParticleEmitter* emitter) {
  return DrawUntransformedParam<DrawParticlesParam>(DrawParticlesParam(this, emitter));
}

}  // namespace render
