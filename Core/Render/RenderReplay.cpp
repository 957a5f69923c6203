#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/Render.h"
#include "Core/Render/ShaderImpl.h"

namespace render {

namespace {

// Reads the payload fields in order; false when one is short.
template <class... Fields>
bool ReadFields(base::Stream& stream, Fields&... fields) {
  return (ReadField(stream, fields) && ...);
}

}  // namespace

QLResultEnum Render::ExecuteCommands() {
  replayedDraws_ = 0;
  QLResultEnum result = Record(kOpEnd);
  if (result == QL_OK) result = commands_.Seek(0, base::kSeekBegin) == 0 ? Replay() : QL_FAIL;
  if (result != QL_OK) AbandonFrame();
  commands_.Rewind();
  return result;
}

void Render::DiscardScene() {
  AbandonFrame();
  commands_.Rewind();
}

QLResultEnum Render::Replay() {
  for (;;) {
    std::int32_t opcode = 0;
    if (!ReadField(commands_, opcode)) return QL_FAIL;
    if (opcode == kOpEnd) return QL_OK;
    if (const QLResultEnum result = ReplayCommand(opcode); result != QL_OK) return result;
  }
}

QLResultEnum Render::ReplayCommand(std::int32_t opcode) {
  switch (opcode) {
    case kOpClear: {
      std::uint32_t flags = 0;
      float colour[4] = {};
      float z = 0.0f;
      std::uint32_t stencil = 0;
      if (!ReadFields(commands_, flags, colour, z, stencil)) return QL_FAIL;
      return DeviceClear(flags, colour, z, stencil);
    }
    case kOpBeginScene:
      return DeviceBeginScene();
    case kOpEndScene:
      return DeviceEndScene();
    case kOpPresent:
      return DoPresent();
    case kOpSetTarget: {
      Texture* texture = nullptr;
      return ReadField(commands_, texture) ? DeviceSetRenderTarget(texture) : QL_FAIL;
    }
    case kOpSetBackBuffer:
      return DeviceSetRenderTarget(nullptr);
    case kOpSetShader: {
      ShaderImpl* impl = nullptr;
      return ReadField(commands_, impl) ? DeviceSetShader(impl) : QL_FAIL;
    }
    case kOpSetShaderVariables: {
      ShaderImpl* impl = nullptr;
      return ReadField(commands_, impl) ? impl->ReadVariables(commands_) : QL_FAIL;
    }
    case kOpSetVertexFormat: {
      std::uint32_t formatId = 0;
      return ReadField(commands_, formatId) ? DeviceSetVertexFormat(formatId) : QL_FAIL;
    }
    case kOpSetVertexBuffer: {
      VertexBufferImpl* buffer = nullptr;
      return ReadField(commands_, buffer) ? DeviceSetVertexBuffer(buffer) : QL_FAIL;
    }
    case kOpSetIndexBuffer: {
      IndexBufferImpl* buffer = nullptr;
      return ReadField(commands_, buffer) ? DeviceSetIndexBuffer(buffer) : QL_FAIL;
    }
    case kOpSetBlendMode: {
      std::uint32_t mode = 0;
      return ReadField(commands_, mode) ? DeviceSetBlendMode(mode) : QL_FAIL;
    }
    case kOpSetScissorEnable: {
      std::uint8_t enable = 0;
      return ReadField(commands_, enable) ? DeviceSetScissorEnable(enable != 0) : QL_FAIL;
    }
    case kOpSetScissorRect: {
      int rect[4] = {};
      return ReadField(commands_, rect) ? DeviceSetScissorRect(rect) : QL_FAIL;
    }
    case kOpSetDepth: {
      std::uint8_t enable = 0;
      std::uint8_t write = 0;
      if (!ReadField(commands_, enable)) return QL_FAIL;
      if (enable && !ReadField(commands_, write)) return QL_FAIL;
      return DeviceSetDepth(enable != 0, write != 0);
    }
    case kOpDrawPrimitive: {
      std::uint32_t type = 0;
      std::uint32_t start = 0;
      std::uint32_t count = 0;
      if (!ReadFields(commands_, type, start, count)) return QL_FAIL;
      ++replayedDraws_;
      return DeviceDrawPrimitive(type, start, count);
    }
    case kOpDrawIndexedPrimitive: {
      std::uint32_t type = 0;
      std::uint32_t indexSize = 0;
      std::uint32_t start = 0;
      std::uint32_t count = 0;
      std::uint32_t minVertex = 0;
      std::uint32_t vertexCount = 0;
      if (!ReadFields(commands_, type, indexSize, start, count, minVertex, vertexCount)) return QL_FAIL;
      ++replayedDraws_;
      return DeviceDrawIndexedPrimitive(type, indexSize, start, count, minVertex, vertexCount);
    }
    default:
      // Carries no payload: what follows is the next opcode.
      return QL_OK;
  }
}

// Whatever the failed replay did not reach never happened on the device, yet
// the applied state says it did. Unless all of it is sent again, a frame that
// failed once would leave every later frame without its shader, buffers or
// textures; binding the applied shader again also sends its variables again,
// the only ones whose mark recording may have cleared. The caches are closed
// so that the next frame can open them.
void Render::AbandonFrame() {
  ForEachCache([](BufferDoubleCacheBase& cache) {
    if (cache.IsInFrame()) cache.EndFrame();
  });
  inScene_ = false;
  pendingDraw_ = {};
  dirty_ = true;
  resendAll_ = true;
}

}  // namespace render
