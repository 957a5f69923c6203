#include <algorithm>

#include "Core/Render/Buffer.h"
#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/Render.h"
#include "Core/Render/ShaderImpl.h"

namespace render {

namespace {

// How far a draw of this type advances its start per primitive; 0 for the
// strips and fans, whose primitives share vertices and so never continue
// another draw.
std::uint32_t IndicesPerPrimitive(std::uint32_t type) {
  switch (type) {
    case kTriangleList:
      return 3;
    case kLineList:
      return 2;
    case kPointList:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

QLResultEnum Render::SetState(const RenderState* state, bool force) {
  if (state == lastState_ && !force) return QL_OK;
  lastState_ = state;
  if (state->target.texture != pending_.target.texture) {
    pending_.target = state->target;
    dirty_ = true;
  }
  const auto copy = [this](auto& wanted, const auto& given) {
    if (wanted == given) return;
    wanted = given;
    dirty_ = true;
  };
  copy(pending_.shader, state->shader);
  copy(pending_.vertexBuffer, state->vertexBuffer);
  copy(pending_.indexBuffer, state->indexBuffer);
  copy(pending_.blendMode, state->blendMode);
  copy(pending_.scissorEnabled, state->scissorEnabled);
  // A disabled scissor's rectangle and a disabled depth test's write flag do
  // not reach the device, so they cannot make the state differ.
  if (state->scissorEnabled) copy(pending_.scissorRect, state->scissorRect);
  copy(pending_.depthEnabled, state->depthEnabled);
  if (state->depthEnabled) copy(pending_.depthWrite, state->depthWrite);
  return QL_OK;
}

QLResultEnum Render::SetTarget(const RenderState* state) {
  if (state->target.texture != pending_.target.texture) {
    pending_.target = state->target;
    dirty_ = true;
  }
  return QL_OK;
}

// Describes the device as it is at start-up and after a reset: the back
// buffer bound and every state at its default.
void Render::ResetState() {
  RenderState state;
  state.target.scaleX = screenScaleX_;
  state.target.scaleY = screenScaleY_;
  state.target.offsetX = screenOffsetX_;
  state.target.offsetY = screenOffsetY_;
  applied_ = state;
  pending_ = state;
  lastState_ = nullptr;
  lastTarget_ = nullptr;
  resendAll_ = false;
}

bool Render::IsReadyToRender() {
  if (CheckDevice()) return true;
  commands_.Rewind();
  return false;
}

QLResultEnum Render::BeginScene() {
  inScene_ = true;
  QLResultEnum result = Record(kOpBeginScene);
  ForEachCache([&result](BufferDoubleCacheBase& cache) {
    if (const QLResultEnum begun = cache.BeginFrame(); result == QL_OK) result = begun;
  });
  return result;
}

QLResultEnum Render::RecordTarget() {
  Texture* target = pending_.target.texture;
  const QLResultEnum result = target ? Record(kOpSetTarget, target) : Record(kOpSetBackBuffer);
  if (result == QL_OK) lastTarget_ = target;
  return result;
}

QLResultEnum Render::Clear(std::uint32_t flags, const float colour[4], float z, std::uint32_t stencil) {
  if (const QLResultEnum result = FlushDraw(); result != QL_OK) return result;
  if (resendAll_ || pending_.target.texture != lastTarget_) {
    if (const QLResultEnum result = RecordTarget(); result != QL_OK) return result;
    dirty_ = true;
  }
  return Record(kOpClear, flags, colour[0], colour[1], colour[2], colour[3], z, stencil);
}

QLResultEnum Render::DrawPrimitive(std::uint32_t type, std::uint32_t startVertex, std::uint32_t primitiveCount) {
  return QueueDraw({false, type, startVertex, primitiveCount, 0, 0});
}

QLResultEnum Render::DrawIndexedPrimitive(std::uint32_t type, std::uint32_t startIndex, std::uint32_t primitiveCount,
                                          std::uint32_t minVertex, std::uint32_t vertexCount) {
  return QueueDraw({true, type, startIndex, primitiveCount, minVertex, vertexCount});
}

bool Render::Continues(const PendingDraw& draw) const {
  const std::uint64_t step = IndicesPerPrimitive(draw.type);
  return pendingDraw_.indexed == draw.indexed && pendingDraw_.type == draw.type && pendingDraw_.count != 0 &&
         step != 0 && pendingDraw_.start + pendingDraw_.count * step == draw.start;
}

QLResultEnum Render::QueueDraw(const PendingDraw& draw) {
  const bool stateChanged = dirty_ || (pending_.shader && pending_.shader->AreVariablesChanged());
  if (!stateChanged && Continues(draw)) {
    pendingDraw_.count += draw.count;
    if (draw.indexed) {
      const std::uint64_t end = std::max(std::uint64_t{pendingDraw_.minVertex} + pendingDraw_.vertexCount,
                                         std::uint64_t{draw.minVertex} + draw.vertexCount);
      pendingDraw_.minVertex = std::min(pendingDraw_.minVertex, draw.minVertex);
      pendingDraw_.vertexCount = static_cast<std::uint32_t>(end - pendingDraw_.minVertex);
    }
    return QL_OK;
  }
  if (const QLResultEnum result = FlushDraw(); result != QL_OK) return result;
  if (stateChanged) {
    if (const QLResultEnum result = FlushState(); result != QL_OK) return result;
  }
  pendingDraw_ = draw;
  return QL_OK;
}

QLResultEnum Render::FlushDraw() {
  if (pendingDraw_.count == 0) return QL_OK;
  const PendingDraw& draw = pendingDraw_;
  QLResultEnum result;
  if (draw.indexed) {
    const std::uint32_t indexSize = applied_.indexBuffer ? applied_.indexBuffer->GetElementSize() : 0;
    result =
        Record(kOpDrawIndexedPrimitive, draw.type, indexSize, draw.start, draw.count, draw.minVertex, draw.vertexCount);
  } else {
    result = Record(kOpDrawPrimitive, draw.type, draw.start, draw.count);
  }
  if (result != QL_OK) return result;
  pendingDraw_ = {draw.indexed, kNoPrimitive, 0, 0, 0, 0};
  return QL_OK;
}

QLResultEnum Render::FlushState() {
  if (dirty_) {
    if (resendAll_ || pending_.target.texture != lastTarget_) {
      if (const QLResultEnum result = RecordTarget(); result != QL_OK) return result;
    }
    const bool targetChanged = applied_.target.texture != pending_.target.texture;
    applied_.target = pending_.target;
    const bool resendScissor = resendAll_ || (targetChanged && resendScissorOnTargetChange_);

    // Binding the applied shader again unbinds it first, which marks its
    // variables: after a failed replay they are sent again with it.
    if (resendAll_ || pending_.shader != applied_.shader) {
      if (const QLResultEnum result = Record(kOpSetShader, pending_.shader); result != QL_OK) return result;
      if (applied_.shader) applied_.shader->OnUnbind();
      if (pending_.shader) pending_.shader->OnBind();
      applied_.shader = pending_.shader;
    }

    if (resendAll_ || pending_.vertexBuffer != applied_.vertexBuffer) {
      // A vertex buffer that went away (null) needs no layout.
      VertexBufferImpl* buffer = pending_.vertexBuffer;
      if (buffer &&
          (resendAll_ || !applied_.vertexBuffer || applied_.vertexBuffer->GetFormatId() != buffer->GetFormatId())) {
        if (const QLResultEnum result = Record(kOpSetVertexFormat, buffer->GetFormatId()); result != QL_OK) {
          return result;
        }
      }
      if (const QLResultEnum result = Record(kOpSetVertexBuffer, buffer); result != QL_OK) return result;
      applied_.vertexBuffer = buffer;
    }
    if (resendAll_ || pending_.indexBuffer != applied_.indexBuffer) {
      if (const QLResultEnum result = Record(kOpSetIndexBuffer, pending_.indexBuffer); result != QL_OK) return result;
      applied_.indexBuffer = pending_.indexBuffer;
    }

    if (resendAll_ || pending_.blendMode != applied_.blendMode) {
      if (const QLResultEnum result = Record(kOpSetBlendMode, pending_.blendMode); result != QL_OK) return result;
      applied_.blendMode = pending_.blendMode;
    }

    if (resendScissor || pending_.scissorEnabled != applied_.scissorEnabled) {
      const std::uint8_t enabled = pending_.scissorEnabled;
      if (const QLResultEnum result = Record(kOpSetScissorEnable, enabled); result != QL_OK) return result;
      applied_.scissorEnabled = pending_.scissorEnabled;
    }
    if (resendScissor || (pending_.scissorEnabled && pending_.scissorRect != applied_.scissorRect)) {
      int rect[4];
      if (const QLResultEnum result = ToDeviceRect(pending_.scissorRect.data(), rect); result != QL_OK) return result;
      if (const QLResultEnum result = Record(kOpSetScissorRect, rect); result != QL_OK) return result;
      applied_.scissorRect = pending_.scissorRect;
    }

    if (resendAll_ || pending_.depthEnabled != applied_.depthEnabled ||
        (pending_.depthEnabled && pending_.depthWrite != applied_.depthWrite)) {
      // The write flag travels only with an enabled test.
      const std::uint8_t enabled = pending_.depthEnabled;
      const std::uint8_t write = pending_.depthWrite;
      const QLResultEnum result = enabled ? Record(kOpSetDepth, enabled, write) : Record(kOpSetDepth, enabled);
      if (result != QL_OK) return result;
      applied_.depthEnabled = pending_.depthEnabled;
      applied_.depthWrite = pending_.depthWrite;
    }

    dirty_ = false;
    resendAll_ = false;
  }

  ShaderImpl* shader = pending_.shader;
  if (shader && shader->AreVariablesChanged()) {
    if (const QLResultEnum result = Record(kOpSetShaderVariables, shader); result != QL_OK) return result;
    return shader->WriteVariables(commands_);
  }
  return QL_OK;
}

QLResultEnum Render::EndScene() {
  inScene_ = false;
  QLResultEnum result = QL_OK;
  ForEachCache([&result](BufferDoubleCacheBase& cache) {
    if (const QLResultEnum ended = cache.EndFrame(); result == QL_OK) result = ended;
  });
  if (const QLResultEnum flushed = FlushDraw(); result == QL_OK) result = flushed;
  if (const QLResultEnum recorded = Record(kOpEndScene); result == QL_OK) result = recorded;
  return result;
}

QLResultEnum Render::Present() { return Record(kOpPresent); }

}  // namespace render
