#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/MathMatrix4.h"
#include "Core/Base/NoCopy.h"
#include "Core/Base/Result.h"
#include "Core/Render/CommandBuffer.h"
#include "Core/Render/PrimitiveType.h"
#include "Core/Render/RegistrationList.h"
#include "Core/Render/RenderInitParam.h"
#include "Core/Render/RenderState.h"
#include "Core/Resource/ResourceHandle.h"

namespace app {
class Window;
}

namespace base {
class ImageInfo;
}

namespace file {
class ImageContainer;
}

namespace render {

class Buffer;
class Image;
class RenderTarget;
class BufferDoubleCacheBase;
template <class B>
class BufferDoubleCache;
template <class Impl, class T>
class TypedBuffer;
class Shader;
class ShaderImpl;
class ShaderTextured;
class Texture;
class VertexFormat;

enum ClearFlags : std::uint32_t { kClearColor = 1, kClearDepth = 2, kClearStencil = 4 };

// The device-independent renderer. Drawing never calls the device: state
// changes and draws are recorded into the command buffer, consecutive draws
// that continue each other are merged, and ExecuteCommands replays the frame
// into the device slots a back end implements.
class Render : base::NoCopy {
 public:
  using IndexCache16 = BufferDoubleCache<TypedBuffer<IndexBufferImpl, std::uint16_t>>;
  using IndexCache32 = BufferDoubleCache<TypedBuffer<IndexBufferImpl, std::uint32_t>>;

  // As many quads as the sprite vertex cache holds, so that a busy frame
  // fits one index buffer.
  static constexpr std::uint32_t kIndexCache16Count = 61440;
  static constexpr std::uint32_t kIndexCache16Batch = 10240;
  static constexpr std::uint32_t kIndexCache32Count = 61440;
  static constexpr std::uint32_t kIndexCache32Batch = 10240;

  Render();
  // Every object still registered is detached, so none is left pointing here.
  virtual ~Render();

  // The device-independent part of start-up: the back end prepares its
  // device first, then calls this. The window is only the back end's.
  virtual QLResultEnum Init(app::Window* window, const RenderInitParam& param);
  // Drops the device objects before a display-mode change...
  virtual QLResultEnum PrepareSwitchScreenMode() = 0;
  // ...and this applies the new mode and rebuilds them.
  virtual QLResultEnum SwitchScreenMode(const RenderInitParam& param) = 0;
  // Design x from 0 to width maps to -1 ... 1, y from 0 to height to 1 ... -1.
  virtual QLResultEnum MakeOrthoProjection(float width, float height, math::Matrix4* out);

  // Device objects. Each registers itself with this Render when made.
  virtual QLResultEnum CreateTexture(std::unique_ptr<Texture>& out) = 0;
  virtual QLResultEnum CreateShader(const std::string& vertexSource, const std::string& pixelSource,
                                    std::unique_ptr<ShaderImpl>& out) = 0;
  virtual QLResultEnum CreateGeomShader(std::unique_ptr<ShaderImpl>& out) = 0;
  virtual QLResultEnum CreateTexturedMultShader(std::unique_ptr<ShaderImpl>& out) = 0;
  virtual QLResultEnum CreateTexturedTintShader(std::unique_ptr<ShaderImpl>& out) = 0;
  virtual QLResultEnum CreateVertexBuffer(const VertexFormat& format, std::uint32_t count, bool dynamic,
                                          std::unique_ptr<VertexBufferImpl>& out) = 0;
  virtual QLResultEnum CreateIndexBuffer(std::uint32_t indexSize, std::uint32_t count, bool dynamic,
                                         std::unique_ptr<IndexBufferImpl>& out) = 0;

  // The image of that name, or of that layer of the layout, loading its file
  // on the first use of the name; the failure of the load is returned and
  // nothing is made. description, when given, receives the image's.
  QLResultEnum CreateImage(const base::WString& name, file::ImageContainer* container, std::unique_ptr<Image>* out,
                           base::ImageInfo* description = nullptr);
  // An image to draw into, of width x height pixels; with ortho its
  // projection maps those pixels as MakeOrthoProjection does.
  QLResultEnum CreateRenderTarget(int width, int height, std::unique_ptr<RenderTarget>* out, bool ortho);

  // Scissor rectangle (x, y, width, height) in design units to device pixels
  // with the pending target's mapping: exactly the pixels that a filled
  // rectangle of the same design coordinates covers.
  virtual QLResultEnum ToDeviceRect(const float rect[4], int out[4]);

  // State. A caller that changed its state object in place must force: an
  // unforced call with the object last given is not even compared.
  QLResultEnum SetState(const RenderState* state, bool force);
  QLResultEnum SetTarget(const RenderState* state);
  void ResetState();

  // Frame, in this order: IsReadyToRender, BeginScene, drawing, EndScene,
  // Present, ExecuteCommands.
  bool IsReadyToRender();
  QLResultEnum BeginScene();
  QLResultEnum Clear(std::uint32_t flags, const float colour[4], float z, std::uint32_t stencil);
  QLResultEnum DrawPrimitive(std::uint32_t type, std::uint32_t startVertex, std::uint32_t primitiveCount);
  // Indices are absolute positions in the bound vertex buffer; the minimum
  // and count say which vertices they reach.
  QLResultEnum DrawIndexedPrimitive(std::uint32_t type, std::uint32_t startIndex, std::uint32_t primitiveCount,
                                    std::uint32_t minVertex, std::uint32_t vertexCount);
  QLResultEnum FlushDraw();
  QLResultEnum FlushState();
  QLResultEnum EndScene();
  QLResultEnum Present();
  // Replays and empties the recorded stream. A replay that fails leaves the
  // device in a state nobody knows: the frame is abandoned and everything is
  // sent again from the next frame on.
  QLResultEnum ExecuteCommands();
  // The device draw calls (batches) the last ExecuteCommands sent.
  std::uint32_t GetReplayedDrawCount() const { return replayedDraws_; }
  // A frame that failed half-way is dropped whole, caches closed, so that the
  // next one can begin.
  void DiscardScene();

  // Non-owning handles: the Render owns the built-in shaders. 1 before Init.
  QLResultEnum GetGeomShader(resource::ResourceHandle<Shader>* out) const;
  QLResultEnum GetTexturedMultShader(resource::ResourceHandle<ShaderTextured>* out) const;
  QLResultEnum GetTexturedTintShader(resource::ResourceHandle<ShaderTextured>* out) const;

  // Null for a format without a cache.
  BufferDoubleCacheBase* GetVertexCache(std::uint32_t formatId) const;
  IndexCache16* GetIndexCache16() const { return indexCache16_.get(); }
  // Null unless 32-bit indices are wanted.
  IndexCache32* GetIndexCache32() const { return indexCache32_.get(); }

  const math::Matrix4& GetProjection() const { return projection_; }
  float GetScreenScaleX() const { return screenScaleX_; }
  float GetScreenScaleY() const { return screenScaleY_; }
  float GetScreenOffsetX() const { return screenOffsetX_; }
  float GetScreenOffsetY() const { return screenOffsetY_; }
  bool IsInScene() const { return inScene_; }

  void RegisterBuffer(Buffer* buffer);
  void RegisterTexture(Texture* texture);
  void RegisterShaderImpl(ShaderImpl* impl);
  void UnregisterBuffer(Buffer* buffer);
  void UnregisterTexture(Texture* texture);
  void UnregisterShaderImpl(ShaderImpl* impl);

 protected:
  // Device operations, called only by the replay; a non-zero result stops it.
  virtual bool CheckDevice() = 0;
  virtual QLResultEnum DeviceClear(std::uint32_t flags, const float colour[4], float z, std::uint32_t stencil) = 0;
  virtual QLResultEnum DeviceBeginScene() = 0;
  virtual QLResultEnum DeviceEndScene() = 0;
  virtual QLResultEnum DoPresent() = 0;
  // Null: the back buffer.
  virtual QLResultEnum DeviceSetRenderTarget(Texture* texture) = 0;
  virtual QLResultEnum DeviceSetShader(ShaderImpl* impl) = 0;
  virtual QLResultEnum DeviceSetVertexFormat(std::uint32_t formatId) = 0;
  virtual QLResultEnum DeviceSetVertexBuffer(VertexBufferImpl* buffer) = 0;
  virtual QLResultEnum DeviceSetIndexBuffer(IndexBufferImpl* buffer) = 0;
  virtual QLResultEnum DeviceSetBlendMode(std::uint32_t mode) = 0;
  virtual QLResultEnum DeviceSetScissorEnable(bool enable) = 0;
  // x, y, width, height in device pixels.
  virtual QLResultEnum DeviceSetScissorRect(const int rect[4]) = 0;
  virtual QLResultEnum DeviceSetDepth(bool enable, bool write) = 0;
  virtual QLResultEnum DeviceDrawPrimitive(std::uint32_t type, std::uint32_t startVertex,
                                           std::uint32_t primitiveCount) = 0;
  // The index size is the bound index buffer's, for devices that need it.
  virtual QLResultEnum DeviceDrawIndexedPrimitive(std::uint32_t type, std::uint32_t indexSize, std::uint32_t startIndex,
                                                  std::uint32_t primitiveCount, std::uint32_t minVertex,
                                                  std::uint32_t vertexCount) = 0;

  // The projection and the mapping of design coordinates to pixels.
  QLResultEnum SetScreen(const RenderInitParam& param);
  // For the back end's destructor, while the device objects can still go.
  void ReleaseDeviceObjects();
  // Device loss: drops the recorded frame, whose commands name objects about
  // to go, and tells every registered object, buffers first, then textures,
  // then shaders. After a reset the same order rebuilds them; the first
  // failure is returned, but every object is told.
  void LoseDeviceObjects();
  QLResultEnum ResetDeviceObjects();

  CommandBuffer& GetCommandBuffer() { return commands_; }

  // Set by a back end whose device forgets the scissor with the target.
  bool resendScissorOnTargetChange_ = false;
  // Wanted from the start; a back end without 32-bit indices clears it
  // before Init.
  bool use32BitIndices_ = true;

 private:
  struct PendingDraw {
    bool indexed = false;
    std::uint32_t type = kNoPrimitive;
    std::uint32_t start = 0;  // start index when indexed, else start vertex
    std::uint32_t count = 0;  // primitives
    std::uint32_t minVertex = 0;
    std::uint32_t vertexCount = 0;
  };

  template <class... Fields>
  QLResultEnum Record(Opcode opcode, const Fields&... fields);
  QLResultEnum RecordTarget();
  QLResultEnum QueueDraw(const PendingDraw& draw);
  bool Continues(const PendingDraw& draw) const;
  QLResultEnum Replay();
  QLResultEnum ReplayCommand(std::int32_t opcode);
  void AbandonFrame();
  void ForEachCache(const std::function<void(BufferDoubleCacheBase&)>& visit) const;

  RenderState applied_;
  RenderState pending_;
  bool dirty_ = true;
  // After a failed replay nothing of the applied state can be trusted: the
  // next state flush sends every field.
  bool resendAll_ = false;
  const RenderState* lastState_ = nullptr;
  Texture* lastTarget_ = nullptr;
  CommandBuffer commands_;
  bool inScene_ = false;
  std::uint32_t replayedDraws_ = 0;
  PendingDraw pendingDraw_;
  math::Matrix4 projection_;
  float screenScaleX_ = 1.0f;
  float screenScaleY_ = 1.0f;
  float screenOffsetX_ = 0.0f;
  float screenOffsetY_ = 0.0f;
  std::unique_ptr<Shader> geomShader_;
  std::unique_ptr<ShaderTextured> texturedMultShader_;
  std::unique_ptr<ShaderTextured> texturedTintShader_;
  std::vector<std::unique_ptr<BufferDoubleCacheBase>> vertexCaches_;
  std::unique_ptr<IndexCache16> indexCache16_;
  std::unique_ptr<IndexCache32> indexCache32_;
  RegistrationList<Buffer> buffers_;
  RegistrationList<Texture> textures_;
  RegistrationList<ShaderImpl> shaderImpls_;
};

}  // namespace render

namespace render {

template <class... Fields>
QLResultEnum Render::Record(Opcode opcode, const Fields&... fields) {
  const std::int32_t code = opcode;
  return (WriteField(commands_, code) && ... && WriteField(commands_, fields)) ? QL_OK : QL_FAIL;
}

}  // namespace render
