#include "Platform/GraphicsDevice.h"

#include <epoxy/gl.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform {
namespace {

GLenum Mode(PrimitiveType type) {
  switch (type) {
    case PrimitiveType::kPointList: return GL_POINTS;
    case PrimitiveType::kLineList: return GL_LINES;
    case PrimitiveType::kLineStrip: return GL_LINE_STRIP;
    case PrimitiveType::kTriangleList: return GL_TRIANGLES;
    case PrimitiveType::kTriangleStrip: return GL_TRIANGLE_STRIP;
    case PrimitiveType::kTriangleFan: return GL_TRIANGLE_FAN;
  }
  return GL_TRIANGLES;
}

long long VertexCount(PrimitiveType type, long long primitives) {
  switch (type) {
    case PrimitiveType::kPointList: return primitives;
    case PrimitiveType::kLineList: return primitives * 2;
    case PrimitiveType::kLineStrip: return primitives + 1;
    case PrimitiveType::kTriangleList: return primitives * 3;
    case PrimitiveType::kTriangleStrip:
    case PrimitiveType::kTriangleFan: break;
  }
  return primitives + 2;
}

float Channel(std::uint32_t color, int shift) { return static_cast<float>((color >> shift) & 0xFF) / 255.0f; }

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// Also clears older errors, so that one fault is reported once.
DeviceResult TakeErrors() {
  bool failed = false;
  while (glGetError() != GL_NO_ERROR) failed = true;
  return failed ? DeviceResult::kInvalidCall : DeviceResult::kOk;
}

}  // namespace

GraphicsDevice::GraphicsDevice(std::shared_ptr<GraphicsContext> context)
    : context_(std::move(context)), samplers_(std::make_unique<GraphicsSamplers>(context_)) {
  glGenVertexArrays(1, &vertexArray_);
  glBindVertexArray(vertexArray_);
}

GraphicsDevice::~GraphicsDevice() { glDeleteVertexArrays(1, &vertexArray_); }

namespace {

// The software rasteriser allocates and frees a large block for each draw
// that follows a texture change. glibc gives the top of its heap back to the
// system on every such free by default, so each draw paid for fresh pages:
// keeping a generous top makes a frame of thousands of such draws 15 times
// cheaper.
void KeepFreedMemoryForReuse() {
#ifdef __GLIBC__
  constexpr int kKeptBytes = 64 << 20;
  mallopt(M_TRIM_THRESHOLD, kKeptBytes);
#endif
}

}  // namespace

std::unique_ptr<GraphicsDevice> GraphicsDevice::Create(SDL_Window* window, const PresentParameters& parameters) {
  KeepFreedMemoryForReuse();
  auto context = GraphicsContext::Create(window);
  if (!context) return nullptr;
  std::unique_ptr<GraphicsDevice> device(new GraphicsDevice(std::move(context)));
  if (device->Reset(parameters) != DeviceResult::kOk) return nullptr;
  return device;
}

DeviceResult GraphicsDevice::TestCooperativeLevel() {
  switch (loss_) {
    case Loss::kNone: return DeviceResult::kOk;
    case Loss::kLost:
      // Lost is reported once; then the device waits for its reset.
      loss_ = Loss::kNotReset;
      return DeviceResult::kDeviceLost;
    case Loss::kNotReset: break;
  }
  return DeviceResult::kDeviceNotReset;
}

DeviceResult GraphicsDevice::Reset(const PresentParameters& parameters) {
  if (loss_ == Loss::kLost) return DeviceResult::kDeviceLost;
  if (parameters.width <= 0 || parameters.height <= 0) return DeviceResult::kInvalidCall;
  if (failingResets_ > 0) {
    --failingResets_;
    return DeviceResult::kOutOfVideoMemory;
  }
  auto backBuffer = std::make_unique<GraphicsFramebuffer>(context_, parameters.width, parameters.height);
  if (!backBuffer->IsComplete()) return DeviceResult::kOutOfVideoMemory;
  backBuffer_ = std::move(backBuffer);
  parameters_ = parameters;
  loss_ = Loss::kNone;
  inScene_ = false;

  SetRenderTarget(nullptr);
  states_.Reset(TargetRect());
  samplers_->Reset();
  for (int stage = 0; stage < kTextureStages; ++stage) SetTexture(stage, nullptr);
  program_.reset();
  layout_.reset();
  stream_.reset();
  indices_.reset();
  stride_ = 0;
  return TakeErrors();
}

void GraphicsDevice::SimulateDeviceLoss(int failingResets) {
  loss_ = Loss::kLost;
  failingResets_ = failingResets;
}

std::shared_ptr<GraphicsBuffer> GraphicsDevice::CreateBuffer(BufferKind kind, std::size_t bytes) {
  if (bytes == 0) return nullptr;
  return std::shared_ptr<GraphicsBuffer>(new GraphicsBuffer(context_, kind, bytes));
}

std::shared_ptr<GraphicsTexture> GraphicsDevice::CreateTexture(int width, int height, int levels,
                                                               TextureFormat format) {
  return GraphicsTexture::Create(context_, width, height, levels, format);
}

std::shared_ptr<GraphicsTexture> GraphicsDevice::CreateRenderTarget(int width, int height) {
  return GraphicsTexture::CreateTarget(context_, width, height);
}

std::shared_ptr<GraphicsProgram> GraphicsDevice::CreateProgram(const std::string& vertexSource,
                                                               const std::string& pixelSource, std::string* errors) {
  return GraphicsProgram::Create(context_, vertexSource, pixelSource, errors);
}

DeviceResult GraphicsDevice::BeginScene() {
  if (inScene_) return DeviceResult::kInvalidCall;
  inScene_ = true;
  return DeviceResult::kOk;
}

DeviceResult GraphicsDevice::EndScene() {
  if (!inScene_) return DeviceResult::kInvalidCall;
  inScene_ = false;
  return DeviceResult::kOk;
}

DeviceResult GraphicsDevice::Present() {
  if (loss_ != Loss::kNone) return DeviceResult::kDeviceLost;
  int width = 0;
  int height = 0;
  context_->GetDrawableSize(&width, &height);
  const int sourceWidth = backBuffer_->GetWidth();
  const int sourceHeight = backBuffer_->GetHeight();
  glBindFramebuffer(GL_READ_FRAMEBUFFER, backBuffer_->GetName());
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  // The window's rows go bottom up: the back buffer's top row lands at its top.
  const GLenum filter = width == sourceWidth && height == sourceHeight ? GL_NEAREST : GL_LINEAR;
  glBlitFramebuffer(0, 0, sourceWidth, sourceHeight, 0, height, width, 0, GL_COLOR_BUFFER_BIT, filter);
  context_->Swap();
  BindTarget();
  states_.ApplyScissor();
  return TakeErrors();
}

DeviceResult GraphicsDevice::Clear(std::uint32_t flags, std::uint32_t color, float z, std::uint32_t stencil) {
  if (flags == 0 || (flags & ~(kClearTarget | kClearDepth | kClearStencil)) != 0) return DeviceResult::kInvalidCall;
  PixelRect area{viewport_.x, viewport_.y, viewport_.x + viewport_.width, viewport_.y + viewport_.height};
  if (states_.IsScissorEnabled()) area = Intersect(area, states_.GetScissorRect());
  glEnable(GL_SCISSOR_TEST);
  glScissor(area.left, area.top, std::max(0, area.right - area.left), std::max(0, area.bottom - area.top));
  // Direct3D clears depth whatever the depth-write state says.
  glDepthMask(GL_TRUE);
  glClearColor(Channel(color, 16), Channel(color, 8), Channel(color, 0), Channel(color, 24));
  glClearDepth(z);
  glClearStencil(static_cast<GLint>(stencil));
  GLbitfield mask = 0;
  if (flags & kClearTarget) mask |= GL_COLOR_BUFFER_BIT;
  if (flags & kClearDepth) mask |= GL_DEPTH_BUFFER_BIT;
  if (flags & kClearStencil) mask |= GL_STENCIL_BUFFER_BIT;
  glClear(mask);
  states_.ApplyScissor();
  states_.ApplyDepth();
  return TakeErrors();
}

std::vector<std::uint32_t> GraphicsDevice::ReadPixels(const PixelRect& rect) const {
  const PixelRect target = TargetRect();
  if (rect.left < 0 || rect.top < 0 || rect.right > target.right || rect.bottom > target.bottom ||
      rect.left >= rect.right || rect.top >= rect.bottom) {
    return {};
  }
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  glReadPixels(rect.left, rect.top, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
  return pixels;
}

DeviceResult GraphicsDevice::SetRenderTarget(std::shared_ptr<GraphicsTexture> texture) {
  if (texture && !texture->IsRenderTarget()) return DeviceResult::kInvalidCall;
  target_ = std::move(texture);
  BindTarget();
  const PixelRect whole = TargetRect();
  SetViewport({0, 0, whole.right, whole.bottom, 0.0f, 1.0f});
  states_.SetScissorRect(whole);
  return DeviceResult::kOk;
}

void GraphicsDevice::SetViewport(const Viewport& viewport) {
  viewport_ = viewport;
  glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
  glDepthRange(viewport.minZ, viewport.maxZ);
  ++uniformsVersion_;
}

DeviceResult GraphicsDevice::SetTexture(int stage, std::shared_ptr<GraphicsTexture> texture) {
  if (stage < 0 || stage >= kTextureStages) return DeviceResult::kInvalidCall;
  glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(stage));
  glBindTexture(GL_TEXTURE_2D, texture ? texture->name_ : 0);
  textures_[static_cast<std::size_t>(stage)] = std::move(texture);
  return DeviceResult::kOk;
}

void GraphicsDevice::SetProgram(std::shared_ptr<GraphicsProgram> program) { program_ = std::move(program); }

DeviceResult GraphicsDevice::SetShaderConstants(ShaderStage stage, int firstRegister, const float* values,
                                                int registers) {
  if (firstRegister < 0 || registers < 0 || firstRegister + registers > kConstantRegisters) {
    return DeviceResult::kInvalidCall;
  }
  RegisterFile& file = stage == ShaderStage::kVertex ? vertexRegisters_ : pixelRegisters_;
  if (registers > 0) {
    std::memcpy(file[static_cast<std::size_t>(firstRegister)].data(), values,
                sizeof(float) * 4 * static_cast<std::size_t>(registers));
  }
  ++uniformsVersion_;
  return DeviceResult::kOk;
}

DeviceResult GraphicsDevice::SetVertexLayout(std::uint32_t fvf) {
  layout_ = VertexLayout::FromFvf(fvf);
  return layout_ ? DeviceResult::kOk : DeviceResult::kInvalidCall;
}

DeviceResult GraphicsDevice::SetStreamSource(std::shared_ptr<GraphicsBuffer> vertices, int stride) {
  if (vertices && (vertices->GetKind() != BufferKind::kVertex || stride <= 0)) return DeviceResult::kInvalidCall;
  stream_ = std::move(vertices);
  stride_ = stride;
  return DeviceResult::kOk;
}

DeviceResult GraphicsDevice::SetIndices(std::shared_ptr<GraphicsBuffer> indices) {
  if (indices && indices->GetKind() == BufferKind::kVertex) return DeviceResult::kInvalidCall;
  indices_ = std::move(indices);
  return DeviceResult::kOk;
}

DeviceResult GraphicsDevice::DrawPrimitive(PrimitiveType type, int startVertex, int primitives) {
  if (startVertex < 0 || primitives < 0) return DeviceResult::kInvalidCall;
  const long long count = VertexCount(type, primitives);
  if (!PrepareDraw(startVertex + count)) return DeviceResult::kInvalidCall;
  if (primitives == 0) return DeviceResult::kOk;
  glDrawArrays(Mode(type), startVertex, static_cast<GLsizei>(count));
  return TakeErrors();
}

DeviceResult GraphicsDevice::DrawIndexedPrimitive(PrimitiveType type, int baseVertex, int minVertex, int vertices,
                                                  int startIndex, int primitives) {
  if (!indices_ || indices_->IsLocked() || minVertex < 0 || vertices <= 0 || startIndex < 0 || primitives < 0 ||
      baseVertex + minVertex < 0) {
    return DeviceResult::kInvalidCall;
  }
  const long long count = VertexCount(type, primitives);
  const int indexSize = indices_->GetIndexSize();
  if ((startIndex + count) * indexSize > static_cast<long long>(indices_->GetSize())) return DeviceResult::kInvalidCall;
  if (!PrepareDraw(static_cast<long long>(baseVertex) + minVertex + vertices)) return DeviceResult::kInvalidCall;
  if (primitives == 0) return DeviceResult::kOk;
  indices_->Bind(GL_ELEMENT_ARRAY_BUFFER);
  const auto offset = static_cast<std::uintptr_t>(startIndex) * static_cast<std::uintptr_t>(indexSize);
  glDrawRangeElementsBaseVertex(Mode(type), static_cast<GLuint>(minVertex),
                                static_cast<GLuint>(minVertex + vertices - 1), static_cast<GLsizei>(count),
                                indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                                reinterpret_cast<const void*>(offset), baseVertex);
  return TakeErrors();
}

const GraphicsFramebuffer& GraphicsDevice::Target() const { return target_ ? *target_->target_ : *backBuffer_; }

PixelRect GraphicsDevice::TargetRect() const { return {0, 0, Target().GetWidth(), Target().GetHeight()}; }

void GraphicsDevice::BindTarget() const { glBindFramebuffer(GL_FRAMEBUFFER, Target().GetName()); }

bool GraphicsDevice::PrepareDraw(long long vertexEnd) {
  if (!program_ || !layout_ || !stream_ || stream_->IsLocked() || stride_ < layout_->GetSize()) return false;
  if (vertexEnd > 0 && (vertexEnd - 1) * stride_ + layout_->GetSize() > static_cast<long long>(stream_->GetSize())) {
    return false;
  }
  glUseProgram(program_->name_);
  UploadUniforms();
  stream_->Bind(GL_ARRAY_BUFFER);
  unsigned wanted = 0;
  for (const VertexAttribute& attribute : layout_->GetAttributes()) {
    const auto location = static_cast<GLuint>(attribute.location);
    wanted |= 1u << location;
    const void* offset = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(attribute.offset));
    if (attribute.packedColor) {
      // Direct3D colours are 0xAARRGGBB words: bytes B, G, R, A in memory.
      glVertexAttribPointer(location, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride_, offset);
    } else {
      glVertexAttribPointer(location, attribute.components, GL_FLOAT, GL_FALSE, stride_, offset);
    }
  }
  for (GLuint location = 0; location < kVertexLocations; ++location) {
    const unsigned bit = 1u << location;
    if ((wanted ^ enabledAttributes_) & bit) {
      wanted& bit ? glEnableVertexAttribArray(location) : glDisableVertexAttribArray(location);
    }
  }
  enabledAttributes_ = wanted;
  return true;
}

void GraphicsDevice::UploadUniforms() {
  GraphicsProgram& program = *program_;
  if (program.uniformsVersion_ == uniformsVersion_) return;
  const auto upload = [](const GraphicsProgram::Constants& constants, const RegisterFile& file) {
    if (constants.location < 0) return;
    glUniform4fv(constants.location, std::min(constants.registers, kConstantRegisters), file[0].data());
  };
  upload(program.vertexConstants_, vertexRegisters_);
  upload(program.pixelConstants_, pixelRegisters_);
  glUniform2f(program.halfPixelLocation_, 1.0f / static_cast<float>(viewport_.width),
              1.0f / static_cast<float>(viewport_.height));
  program.uniformsVersion_ = uniformsVersion_;
}

}  // namespace platform
